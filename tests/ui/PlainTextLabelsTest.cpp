#include "support/FakePlatform.h"
#include "ui/ViewController.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// What label draws on white at the size its text needs.
QImage drawn(QLabel* label) {
    label->adjustSize();
    QImage image(label->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    label->render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

QImage drawnAs(Qt::TextFormat format, const QString& text) {
    QLabel label;
    label.setTextFormat(format);
    label.setText(text);
    return drawn(&label);
}

TEST(PlainTextLabels, ScreensDrawMarkupAsTheCharactersItIsMadeOf) {
    FakePlatform fake;
    ViewController screen;
    // Made as screens make labels, with Qt's automatic format, and reused.
    auto* label = new QLabel(&screen);
    for (const QString& text :
         {QStringLiteral("<b>粗</b>&王"), QStringLiteral("<img src=\":/box.png\">陳"),
          QStringLiteral("&lt;王&gt;")}) {
        SCOPED_TRACE(text.toStdString());
        label->setText(text);
        const QImage shown = drawn(label);
        EXPECT_EQ(shown, drawnAs(Qt::PlainText, text));
        EXPECT_NE(shown, drawnAs(Qt::RichText, text)); // the markup would show otherwise
    }
}

TEST(PlainTextLabels, ALabelMadeWithItsTextBeforeItsScreenIsPlainToo) {
    FakePlatform fake;
    const QString text = QStringLiteral("<b>粗</b>&王");
    auto* label = new QLabel(text);
    ViewController screen;
    label->setParent(&screen);
    EXPECT_EQ(drawn(label), drawnAs(Qt::PlainText, text));
}

} // namespace
