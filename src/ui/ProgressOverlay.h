#pragma once

#include "platform/ProgressIndicator.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;

// A turning indicator over a view, with an optional label in a dark box; under
// it, when asked, the step of a run with its name and a bar, and a waiting
// line (each a widget of its own: progressStep, progressName, progressBar,
// progressWait). While
// it shows, the covered area takes no input of any kind: mouse, touch and
// keys are dropped, and focus that would enter it stays on the overlay.
class ProgressOverlay : public QWidget {
    Q_OBJECT
  public:
    enum class Box { Dimmed, Transparent };

    // Covers target (its whole area) with the label; Dimmed draws the box at
    // opacity 0.6, Transparent shows only the indicator.
    static ProgressOverlay* showOver(QWidget* target, const QString& label, Box box);
    // Removes the overlay; focus goes back where it was before it showed.
    void hideOverlay();
    ~ProgressOverlay() override;

    QString label() const { return label_; }
    Box box() const { return box_; }

    // Shows step and name under the label, with an empty bar.
    void showStep(const QString& step, const QString& name);
    // Fills the bar to share (0 to 1).
    void showShare(double share);
    // Shows text as the waiting line; none when empty.
    void showWaiting(const QString& text);
    // Turns the spinner by one step.
    void turnOnce();

  protected:
    bool event(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    ProgressOverlay(QWidget* target, const QString& label, Box box);
    void turn();
    // Places the box's widgets and sizes the box to what shows.
    void layoutBox();
    QRect boxRect() const;
    // Whether object is a widget of the covered area (the overlay is not).
    bool covers(QObject* object) const;

    QString label_;
    Box box_;
    int angle_ = 0;
    bool shown_ = true;
    QPointer<QWidget> focusBefore_;
    QLabel* step_;
    QLabel* name_;
    QProgressBar* bar_;
    QLabel* waiting_;
};

// The progress indicator of the app's window: a dimmed overlay with the label.
class WindowIndicator final : public ProgressIndicator {
  public:
    explicit WindowIndicator(QWidget* window);
    ~WindowIndicator() override;
    void start(const QString& label) override;
    void stop() override;
    void showStep(int place, int count, const QString& name) override;
    void showShare(qint64 done, qint64 total) override;
    void showBlockedWait(const QString& label) override;
    void endBlockedWait() override;
    // Returns the overlay now shown over the window, or null.
    ProgressOverlay* current() const { return overlay_; }

  private:
    QPointer<QWidget> window_;
    QPointer<ProgressOverlay> overlay_;
    bool waitMadeOverlay_ = false; // the blocked wait showed the overlay itself
};
