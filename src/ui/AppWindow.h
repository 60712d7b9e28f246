#pragma once

#include <QWidget>

// The app's one window, titled with the app's name and carrying its icon.
// Closing it asks the screens on its navigation stack first, top to bottom:
// a screen holding work not yet stored keeps the window open and asks the
// inspector its own question instead. Once it closes, the app quits.
class AppWindow : public QWidget {
    Q_OBJECT
  public:
    AppWindow();

  protected:
    void closeEvent(QCloseEvent* event) override;
};

// The title of the app's window.
inline constexpr char appWindowTitle[] = "建築物昇降設備安全檢查";
