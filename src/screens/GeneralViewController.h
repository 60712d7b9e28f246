#pragma once

#include "ui/ViewController.h"

#include <QPointer>
#include <QStringList>
#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;

// A small list of texts from which the user picks one row, shown in a
// popover. The choice goes to the owner on the next turn of the main loop;
// the owner closes the popover. Made for one use.
class GeneralViewController : public ViewController {
    Q_OBJECT
  public:
    // Called with the chosen row's position.
    using CallBack = std::function<void(int row)>;

    // entries one per row; indexSelected the row marked as the present choice
    // (negative for none); the callback reaches the owner only while target
    // lives.
    GeneralViewController(QStringList detailArray, qint64 indexSelected, QString headTitle,
                          QObject* target, CallBack callBackFuc);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // On tablets the picker stands in a navigation container: a white bar
    // with its title in black above the list.
    void setShowsNavigationBar(bool shows) { showsNavigationBar_ = shows; }
    // The size it asks of its popover.
    static QSize preferredContentSize() { return {320, 250}; }

    qint64 indexSelected() const { return indexSelected_; }
    void setIndexSelected(qint64 index) { indexSelected_ = index; }
    QObject* target() const { return _target; }
    void setTarget(QObject* target) { _target = target; }
    const CallBack& callBackFuc() const { return _callBackFuc; }
    void setCallBackFuc(CallBack callBack) { _callBackFuc = std::move(callBack); }

    // The rows' touch and choice, as the list reports them.
    void tableViewDidHighlightRowAtIndexPath(int row);
    void tableViewDidUnhighlightRowAtIndexPath(int row);
    void tableViewDidSelectRowAtIndexPath(int row);
    void setCellColorForCell(const QColor& color, QListWidgetItem* cell);

    QListWidget* tbl() const { return _tbl; }
    QLabel* titleBar() const { return titleBar_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void tableViewCellForRowAtIndexPath(int row);

    QStringList _detailArray;
    qint64 indexSelected_;
    QString _headTitle;
    QPointer<QObject> _target;
    CallBack _callBackFuc;
    QListWidget* _tbl = nullptr;
    QLabel* titleBar_ = nullptr;
    bool showsNavigationBar_ = false;
    int touchedRow_ = -1;
};
