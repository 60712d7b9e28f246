#pragma once

#include <QAbstractButton>
#include <QPointer>
#include <QString>
#include <QWidget>

class NavigationController;
struct AlertAnswer;

// One screen: its view is the widget itself. The navigation stack drives the
// life cycle: viewDidLoad once before the screen first shows, then
// viewWillAppear each time it comes to the front and viewWillDisappear each
// time it leaves it.
class ViewController : public QWidget {
    Q_OBJECT
  public:
    // layoutName names the screen's layout; on a 480-point-high screen the
    // "3d5" variant is used (see layoutName()).
    explicit ViewController(const QString& layoutName = {});

    // The layout in use: the given name, followed by "3d5" on a small phone.
    QString layoutName() const;
    // Loads the view if it has not been loaded yet (runs viewDidLoad once).
    void loadViewIfNeeded();
    bool isViewLoaded() const { return loaded_; }

    QString title() const { return title_; }
    void setTitle(const QString& title);
    // The title of the back button that screens pushed above this one show.
    QString backBarButtonTitle() const { return backTitle_; }
    void setBackBarButtonTitle(const QString& title) { backTitle_ = title; }
    // Buttons of the navigation bar while this screen is on top; the screen
    // keeps ownership. A left button replaces the back button. The right
    // buttons stand from the right edge inward, in list order.
    QAbstractButton* leftBarButton() const { return left_; }
    QAbstractButton* rightBarButton() const;
    QList<QAbstractButton*> rightBarButtons() const;
    void setLeftBarButton(QAbstractButton* button);
    void setRightBarButton(QAbstractButton* button);
    void setRightBarButtons(const QList<QAbstractButton*>& buttons);

    // The stack this screen is on, or none.
    NavigationController* navigationController() const;

    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { Q_UNUSED(animated); }
    virtual void viewWillDisappear(bool animated) { Q_UNUSED(animated); }
    // Asked before the app's window closes while this screen is on the stack.
    // Returns true to let it close; a screen holding work not yet stored
    // returns false and asks the inspector its own leave question instead.
    virtual bool windowShouldClose() { return true; }
    // Answers an alert this screen owns (see AlertView).
    virtual void alertViewClickedButtonAtIndex(const AlertAnswer& answer) { Q_UNUSED(answer); }

  signals:
    void navigationItemChanged();

  private:
    friend class NavigationController;
    QString layout_;
    QString title_;
    QString backTitle_;
    QPointer<QAbstractButton> left_;
    QList<QPointer<QAbstractButton>> right_;
    QPointer<NavigationController> navigation_;
    bool loaded_ = false;
};
