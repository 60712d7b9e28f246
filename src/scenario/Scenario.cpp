#include "scenario/Scenario.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>
#include <cmath>

namespace {

constexpr qint64 kMaxFileBytes = 1 << 20;
// No step may outlast the whole run.
constexpr double kMaxSeconds = 15 * 60;
// A drag and a pinch stay within what a hand does on a screen.
constexpr int kMaxDragPixels = 10000;
constexpr double kMinFactor = 0.1;
constexpr double kMaxFactor = 10;

enum class Argument {
    None,
    Text,
    ListRow,
    ListRowText,
    ListPixels,
    Alert,
    QrFile,
    PhotoFile,
    CameraShow,
    Seconds,
    Factor,
    Name
};

struct Word {
    const char* word;
    ScenarioStep::Kind kind;
    Argument argument;
};

// Longer words first, so that "expect no text" is not read as "expect".
const Word kWords[] = {
    {"expect no text", ScenarioStep::ExpectNoText, Argument::Text},
    {"expect disabled", ScenarioStep::ExpectDisabled, Argument::Text},
    {"expect enabled", ScenarioStep::ExpectEnabled, Argument::Text},
    {"expect screen", ScenarioStep::ExpectScreen, Argument::Text},
    {"expect alert", ScenarioStep::ExpectAlert, Argument::Alert},
    {"expect rows", ScenarioStep::ExpectRows, Argument::ListRow},
    {"expect text", ScenarioStep::ExpectText, Argument::Text},
    {"expect row", ScenarioStep::ExpectRow, Argument::ListRowText},
    {"swipe-delete", ScenarioStep::SwipeDelete, Argument::ListRow},
    {"screenshot", ScenarioStep::Screenshot, Argument::Name},
    {"tap-row", ScenarioStep::TapRow, Argument::ListRow},
    {"timeout", ScenarioStep::Timeout, Argument::Seconds},
    {"scroll", ScenarioStep::Scroll, Argument::ListPixels},
    {"camera", ScenarioStep::Camera, Argument::CameraShow},
    {"photo", ScenarioStep::Photo, Argument::PhotoFile},
    {"press", ScenarioStep::Press, Argument::Text},
    {"pinch", ScenarioStep::Pinch, Argument::Factor},
    {"key", ScenarioStep::Key, Argument::Text},
    {"tick", ScenarioStep::Tick, Argument::ListRow},
    {"type", ScenarioStep::Type, Argument::Text},
    {"wait", ScenarioStep::Wait, Argument::Seconds},
    {"back", ScenarioStep::Back, Argument::None},
    {"tap", ScenarioStep::Tap, Argument::Text},
    {"qr", ScenarioStep::Qr, Argument::QrFile},
};

const Word* wordOf(const QString& line, QString& rest) {
    for (const Word& w : kWords) {
        const QString word = QString::fromLatin1(w.word);
        if (line == word || (line.startsWith(word) && line.at(word.size()).isSpace())) {
            rest = line.mid(word.size()).trimmed();
            return &w;
        }
    }
    return nullptr;
}

QString unescaped(QString text) {
    return text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
}

class LineReader {
  public:
    LineReader(const QDir& folder, bool hasScreenshotFolder)
        : folder_(folder), screenshots_(hasScreenshotFolder) {}

    // Fills step from the argument; returns what is wrong, or an empty text.
    QString read(Argument argument, const QString& rest, ScenarioStep& step) const {
        if (argument == Argument::None) return rest.isEmpty() ? QString() : "takes no argument";
        if (rest.isEmpty()) return QStringLiteral("needs an argument");
        switch (argument) {
        case Argument::Text:
            step.text = unescaped(rest);
            return {};
        case Argument::ListRow:
            return listRow(rest, step, false);
        case Argument::ListRowText:
            return listRow(rest, step, true);
        case Argument::ListPixels:
            return listPixels(rest, step);
        case Argument::Alert:
            alert(rest, step);
            return {};
        case Argument::QrFile:
            return qrFile(rest, step);
        case Argument::PhotoFile:
            return photoFile(rest, step);
        case Argument::CameraShow:
            return cameraShow(rest, step);
        case Argument::Seconds:
            return seconds(rest, step);
        case Argument::Factor:
            return factor(rest, step);
        case Argument::Name:
            return name(rest, step);
        case Argument::None:
            break;
        }
        return {};
    }

  private:
    static QString listRow(const QString& rest, ScenarioStep& step, bool withText) {
        const QStringList parts = rest.split(QRegularExpression("\\s+"));
        if (parts.size() < 2 || (withText && parts.size() < 3) || (!withText && parts.size() > 2))
            return withText ? QStringLiteral("needs LIST ROW TEXT")
                            : QStringLiteral("needs LIST ROW");
        bool ok = false;
        step.list = parts[0];
        step.row = parts[1].toInt(&ok);
        if (!ok || step.row < 0)
            return QStringLiteral("row \"%1\" is not a number from 0").arg(parts[1]);
        if (withText) {
            // The text is the rest of the line after the row, as written.
            const qsizetype at = rest.indexOf(parts[1], parts[0].size()) + parts[1].size();
            step.text = unescaped(rest.mid(at).trimmed());
        }
        return {};
    }

    static QString listPixels(const QString& rest, ScenarioStep& step) {
        const QStringList parts = rest.split(QRegularExpression("\\s+"));
        if (parts.size() != 2) return QStringLiteral("needs LIST PIXELS");
        bool ok = false;
        step.list = parts[0];
        step.pixels = parts[1].toInt(&ok);
        if (!ok || step.pixels == 0 || std::abs(step.pixels) > kMaxDragPixels)
            return QStringLiteral("\"%1\" is not a number of pixels from -%2 to %2, not 0")
                .arg(parts[1])
                .arg(kMaxDragPixels);
        return {};
    }

    static QString factor(const QString& rest, ScenarioStep& step) {
        bool ok = false;
        step.factor = rest.toDouble(&ok);
        if (!ok || !std::isfinite(step.factor) || step.factor < kMinFactor ||
            step.factor > kMaxFactor)
            return QStringLiteral("\"%1\" is not a factor from %2 to %3")
                .arg(rest)
                .arg(kMinFactor)
                .arg(kMaxFactor);
        return {};
    }

    static void alert(const QString& rest, ScenarioStep& step) {
        // "TITLE | MESSAGE"; an alert without title is "| MESSAGE".
        if (rest == "|" || rest.startsWith(QStringLiteral("| "))) {
            step.text.clear();
            step.message = unescaped(rest.mid(1).trimmed());
            return;
        }
        const qsizetype bar = rest.indexOf(QStringLiteral(" | "));
        step.text = unescaped(bar < 0 ? rest : rest.left(bar).trimmed());
        if (bar >= 0) step.message = unescaped(rest.mid(bar + 3).trimmed());
    }

    QString existingFile(const QString& rest, ScenarioStep& step) const {
        step.text = QDir::cleanPath(folder_.absoluteFilePath(rest));
        const QFileInfo info(step.text);
        if (!info.exists()) return QStringLiteral("no file %1").arg(step.text);
        if (!info.isFile() || !info.isReadable())
            return QStringLiteral("cannot read %1").arg(step.text);
        return {};
    }

    QString qrFile(const QString& rest, ScenarioStep& step) const {
        if (QString fault = existingFile(rest, step); !fault.isEmpty()) return fault;
        QImageReader reader(step.text);
        if (!reader.canRead()) return QStringLiteral("%1 is not a picture").arg(step.text);
        return {};
    }

    QString photoFile(const QString& rest, ScenarioStep& step) const {
        if (QString fault = existingFile(rest, step); !fault.isEmpty()) return fault;
        QFile file(step.text);
        // A camera writes JPEG: the file starts with the JPEG start-of-image marker.
        if (!file.open(QIODevice::ReadOnly) || file.read(3) != QByteArray("\xff\xd8\xff", 3))
            return QStringLiteral("%1 is not a JPEG").arg(step.text);
        return {};
    }

    // What the virtual camera does: a picture to show, or a word.
    QString cameraShow(const QString& rest, ScenarioStep& step) const {
        if (rest == "none" || rest == "unplug" || rest == "plug") {
            step.text = rest;
            return {};
        }
        return qrFile(rest, step);
    }

    static QString seconds(const QString& rest, ScenarioStep& step) {
        bool ok = false;
        step.seconds = rest.toDouble(&ok);
        if (!ok || !std::isfinite(step.seconds) || step.seconds < 0 || step.seconds > kMaxSeconds)
            return QStringLiteral("\"%1\" is not a number of seconds from 0 to %2")
                .arg(rest)
                .arg(kMaxSeconds);
        if (step.kind == ScenarioStep::Timeout && step.seconds == 0)
            return QStringLiteral("a time-out must be longer than 0 seconds");
        return {};
    }

    QString name(const QString& rest, ScenarioStep& step) const {
        if (!screenshots_) return QStringLiteral("needs --screenshots DIR");
        if (rest.contains('/') || rest.contains('\\') || rest.startsWith('.'))
            return QStringLiteral("\"%1\" is not a plain file name").arg(rest);
        step.text = rest;
        return {};
    }

    QDir folder_;
    bool screenshots_;
};

std::optional<QString> readText(const QString& file, QString& error) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: cannot read: %2").arg(file, in.errorString());
        return std::nullopt;
    }
    if (in.size() > kMaxFileBytes) {
        error = QStringLiteral("%1: larger than %2 bytes").arg(file).arg(kMaxFileBytes);
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(in.readAll());
    if (utf8.hasError()) {
        error = QStringLiteral("%1: not UTF-8 text").arg(file);
        return std::nullopt;
    }
    return text;
}

} // namespace

bool Scenario::usesCamera() const {
    for (const ScenarioStep& step : steps)
        if (step.kind == ScenarioStep::Qr || step.kind == ScenarioStep::Photo) return true;
    return false;
}

std::optional<Scenario> readScenario(const QString& file, bool hasScreenshotFolder,
                                     QStringList& errors) {
    QString error;
    const std::optional<QString> text = readText(file, error);
    if (!text) {
        errors << error;
        return std::nullopt;
    }
    Scenario scenario{file, {}};
    const LineReader reader(QFileInfo(file).absoluteDir(), hasScreenshotFolder);
    const QStringList lines = text->split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QString where = QStringLiteral("%1:%2: ").arg(file).arg(i + 1);
        QString rest;
        const Word* word = wordOf(line, rest);
        if (!word) {
            errors << where + QStringLiteral("unknown step \"%1\"").arg(line.section(' ', 0, 0));
            continue;
        }
        ScenarioStep step;
        step.kind = word->kind;
        step.line = i + 1;
        step.source = line;
        const QString fault = reader.read(word->argument, rest, step);
        if (!fault.isEmpty())
            errors << where + QStringLiteral("%1: %2").arg(QString::fromLatin1(word->word), fault);
        else
            scenario.steps.push_back(std::move(step));
    }
    if (!errors.isEmpty()) return std::nullopt;
    return scenario;
}
