#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class NavigationBar;
class QStackedLayout;
class ViewController;

// A stack of screens under a navigation bar. The stack owns its screens: a
// screen popped or removed is deleted once it has left.
class NavigationController : public QWidget {
    Q_OBJECT
  public:
    explicit NavigationController(QWidget* parent = nullptr);

    // Puts a screen on top. Transitions are immediate; animated only tells the
    // screens' life-cycle calls how they were shown.
    void pushViewController(ViewController* screen, bool animated);
    // Takes the top screen off (never the last one) and returns it, already
    // scheduled for deletion.
    ViewController* popViewControllerAnimated(bool animated);
    // Takes a screen off wherever it stands in the stack, without animation.
    void removeViewController(ViewController* screen);
    const QList<ViewController*>& viewControllers() const { return stack_; }
    ViewController* topViewController() const { return stack_.isEmpty() ? nullptr : stack_.last(); }

    void setNavigationBarHidden(bool hidden, bool animated);
    bool isNavigationBarHidden() const;
    NavigationBar* navigationBar() const { return bar_; }
    // Restyles the bar after NavigationBarAppearance::shared() changed.
    void applyAppearance();

  private:
    void remove(ViewController* screen, bool animated);
    void showTop(ViewController* previous, bool animated);
    // The back button's title over the screen below: its back title, else
    // its title, else "返回".
    static QString backTitleFor(const ViewController* below);
    void refreshBar();

    NavigationBar* bar_;
    QStackedLayout* pages_;
    QList<ViewController*> stack_;
};
