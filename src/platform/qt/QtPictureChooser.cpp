#include "platform/qt/QtPictureChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QWidget>

namespace {

// A phone-sized window leaves no room for the list of places beside the
// files nor for a table of their details: the files are a plain list, and
// the folder field above them still leads anywhere.
void fitInto(QFileDialog* dialog, const QWidget* window) {
    dialog->setViewMode(QFileDialog::List);
    for (const char* name : {"sidebar", "listModeButton", "detailModeButton"})
        if (auto* part = dialog->findChild<QWidget*>(QLatin1String(name))) part->hide();
    dialog->setMaximumSize(window->size());
    dialog->setGeometry(QRect(window->mapToGlobal(QPoint(0, 0)), window->size()));
}

} // namespace

QString QtPictureChooser::startFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

void QtPictureChooser::choosePicture(const QString& title, const QString& filter,
                                     std::function<void(std::optional<QString>)> done) {
    QWidget* window = window_ ? window_() : QApplication::activeWindow();
    auto* dialog = new QFileDialog(window, title, startFolder(), filter);
    dialog->setObjectName(QStringLiteral("pictureChooser"));
    // Qt's own dialog, so that it can be laid over the window and speaks the
    // app's language.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (window) fitInto(dialog, window);
    // Exactly one answer: the chosen file, or none when the dialog closes
    // without one.
    auto answer = std::make_shared<std::function<void(std::optional<QString>)>>(std::move(done));
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, [answer](const QString& path) {
        if (auto give = std::exchange(*answer, nullptr)) give(path);
    });
    QObject::connect(dialog, &QDialog::finished, dialog, [answer](int) {
        if (auto give = std::exchange(*answer, nullptr)) give(std::nullopt);
    });
    dialog->open();
}
