#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QHBoxLayout;
class ViewController;

// Colours and font shared by every navigation bar of the app; bars are
// always opaque.
struct NavigationBarAppearance {
    QColor tintColor = Qt::white; // buttons
    QColor barTintColor = QColor(0xec, 0x40, 0x7a);
    QColor titleColor = Qt::white;
    QFont titleFont;

    // The appearance all bars use; setting it restyles every bar.
    static NavigationBarAppearance& shared();
};

// The bar at the top of a navigation stack: back or left button, title,
// right button, 44 points high.
class NavigationBar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kHeight = 44;
    explicit NavigationBar(QWidget* parent = nullptr);

    // Shows the top screen's title and buttons; backTitle is empty when there
    // is no screen to go back to.
    void showItem(ViewController* top, const QString& backTitle);
    void applyAppearance();
    QPushButton* backButton() const { return back_; }
    QString titleText() const;

  signals:
    void backPressed();

  private:
    QHBoxLayout* layout_;
    QPushButton* back_;
    QLabel* title_;
    // The screen whose buttons are shown; they go back to it when it leaves.
    QPointer<ViewController> owner_;
    QList<QPointer<QWidget>> shown_; // left button first, then the right ones
};
