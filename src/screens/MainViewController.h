#pragma once

#include "ui/ViewController.h"

#include <QPushButton>
#include <functional>
#include <optional>

class QLabel;

// The first screen: makes sure an inspector is logged in (confirmed by the
// server), shows his name, offers or forces the update the server announces,
// logs out, and opens the two working screens.
class MainViewController : public ViewController {
    Q_OBJECT
  public:
    // Results of verifyLoginId.
    enum LoginResult { NoAnswer = -1, Rejected = 0, Accepted = 1 };
    // Alert tags.
    enum Tag {
        LoginPrompt = 21,
        NoNetwork = 22,
        WrongId = 23,
        ForcedUpdate = 777,
        SoftUpdate = 778,
        Logout = 999
    };

    explicit MainViewController(const QString& layoutName);

    // The screens behind the two menu buttons; a button without its screen is
    // shown disabled.
    std::function<ViewController*()> makeCheckStartScreen;
    std::function<ViewController*()> makeRecordsScreen;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void alertViewClickedButtonAtIndex(const AlertAnswer& answer) override;

    void showLoginView();
    int verifyLoginId(const QString& typedId);
    void checkUpdateVersion();
    void closeButtonPressed();
    void appExit();
    void menu1ButtonPressed();
    void menu2ButtonPressed();

    QLabel* usrLabel = nullptr;
    QPushButton* closeBtn = nullptr;
    QPushButton* menu1Button = nullptr;
    QPushButton* menu2Button = nullptr;
    std::optional<QString> ver_ios;
    std::optional<QString> url_ios;
    QString plistUrl;
    QString max_up_date_str_format;
    qint32 max_up_date = 0;
    qint32 now_date = 0;
    bool hasUpdate = true;

  private:
    void buildLayout();
    void applyColours();
    void decideLogin();
    void showInspector(const QString& name);
    // The two menu buttons, hidden while the login prompt asks for an ID.
    void setMenusShown(bool shown);
    void answerLoginPrompt(const QString& text);
    void openAfterOverlay(const std::function<ViewController*()>& make);
};
