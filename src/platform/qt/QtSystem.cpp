#include "platform/qt/QtSystem.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <cstdio>

ConfiguredDevice::ConfiguredDevice(bool tablet, QSizeF screenSize, QString systemVersion)
    : tablet_(tablet), size_(screenSize), version_(std::move(systemVersion)) {}

bool QtSoundPlayer::play(const QString& resource, std::function<void()> finished) {
    if (!QFile::exists(QStringLiteral(":/") + resource) ||
        QMediaDevices::defaultAudioOutput().isNull())
        return false;
    auto* effect = new QSoundEffect;
    auto end = [effect, finished] {
        effect->disconnect();
        effect->deleteLater();
        finished();
    };
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect, end] {
        if (effect->status() == QSoundEffect::Error)
            end();
        else if (effect->status() == QSoundEffect::Ready && !effect->isPlaying())
            effect->play();
    });
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect, end] {
        if (!effect->isPlaying()) end();
    });
    effect->setSource(QUrl(QStringLiteral("qrc:/") + resource));
    return true;
}

bool QtSystemActions::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void QtSystemActions::exitProcess(int status) {
    QCoreApplication::exit(status);
}

void StderrLog::line(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

std::unique_ptr<QTemporaryDir> providePrivateRuntimeFolder() {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return nullptr;
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid()) return nullptr;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder->path()));
    return folder;
}
