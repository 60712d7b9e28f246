#include "screens/MainViewController.h"

#include "net/ServerLookups.h"
#include "platform/Platform.h"
#include "store/PublicVars.h"
#include "store/SettingsKeys.h"
#include "ui/AlertView.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "util/HtmlEntities.h"
#include "util/PublicFunction.h"
#include "util/PublicFunctionParameters.h"
#include "util/SystemFont.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kLabelFormat = QStringLiteral("安檢員：%1");
const QString kLoading = QStringLiteral("資料讀取中");
constexpr double kOverlayDelay = 0.01;

QString storedSetting(const QString& key) {
    return platform().settings->string(key).value_or(QString());
}

// The name the server sends: Base64 of UTF-8 text that may hold HTML
// character references. Text that is not Base64 is taken as the name itself,
// so an inspector is never locked out by a badly encoded name.
QString decodeInspectorName(const std::optional<QString>& chkerName) {
    if (!chkerName) return QString("");
    const auto decoded = QByteArray::fromBase64Encoding(chkerName->toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    const QString text = decoded ? QString::fromUtf8(*decoded) : *chkerName;
    return decodeHTMLCharacterEntities(text);
}

// The leading decimal digits of text as an integer, as a C library reads it;
// 0 without digits.
qint32 leadingInteger(const QString& text) {
    return static_cast<qint32>(std::strtol(text.trimmed().toLatin1().constData(), nullptr, 10));
}

// "1040630" is shown as 104/06/30. A date of any other length (the server
// always sends seven characters) is shown as it came.
QString rocDateDisplayForm(const QString& date) {
    if (date.size() != 7) return date;
    return QStringLiteral("%1/%2/%3").arg(date.mid(0, 3), date.mid(3, 2), date.mid(5, 2));
}

QString localVersion() {
    return PublicFunction::getPlistPrarmAndKey(parametersFileName, verIosKey).value_or(QString());
}

} // namespace

MainViewController::MainViewController(const QString& layoutName) : ViewController(layoutName) {}

void MainViewController::viewDidLoad() {
    setTitle(QStringLiteral("主畫面"));
    setBackBarButtonTitle(QStringLiteral("返回"));
    buildLayout();
    applyColours();
    decideLogin();
    const AuthorizationStatus location = platform().location->authorizationStatus();
    if (location == AuthorizationStatus::Restricted || location == AuthorizationStatus::Denied)
        AlertView(QString(""),
                  QStringLiteral(
                      "無法使用「位置」功能定位, 請於[設定] -> [隱私權]-> [位置]內允許取用位置"),
                  nullptr, std::nullopt, {QStringLiteral("知道了")})
            .show();
}

void MainViewController::viewWillAppear(bool animated) {
    Q_UNUSED(animated);
    if (navigationController()) navigationController()->setNavigationBarHidden(true, false);
    checkUpdateVersion();
}

void MainViewController::buildLayout() {
    const bool tablet = platform().device->isTablet();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 40, 24, 24);
    layout->setSpacing(16);
    auto* heading = new QLabel(QStringLiteral("建築物昇降設備安全檢查"), this);
    heading->setFont(systemFont(tablet ? 32 : 22));
    heading->setAlignment(Qt::AlignCenter);
    heading->setWordWrap(true);
    usrLabel = new QLabel(this);
    usrLabel->setObjectName(QStringLiteral("usrLabel"));
    usrLabel->setFont(systemFont(tablet ? 22 : 16));
    usrLabel->setAlignment(Qt::AlignCenter);
    usrLabel->hide();
    closeBtn = new QPushButton(QStringLiteral("登出"), this);
    closeBtn->setObjectName(QStringLiteral("closeBtn"));
    closeBtn->hide();
    connect(closeBtn, &QPushButton::clicked, this, &MainViewController::closeButtonPressed);
    menu1Button = new QPushButton(QStringLiteral("開始檢查"), this);
    menu2Button = new QPushButton(QStringLiteral("檢查紀錄"), this);
    menu1Button->setObjectName(QStringLiteral("menu1Button"));
    menu2Button->setObjectName(QStringLiteral("menu2Button"));
    for (QPushButton* menu : {menu1Button, menu2Button}) {
        menu->setFont(systemFont(tablet ? 26 : 18));
        menu->setMinimumHeight(tablet ? 90 : 60);
    }
    connect(menu1Button, &QPushButton::clicked, this, &MainViewController::menu1ButtonPressed);
    connect(menu2Button, &QPushButton::clicked, this, &MainViewController::menu2ButtonPressed);
    menu1Button->setEnabled(bool(makeCheckStartScreen));
    menu2Button->setEnabled(bool(makeRecordsScreen));
    layout->addWidget(heading);
    layout->addWidget(usrLabel);
    layout->addWidget(closeBtn, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addWidget(menu1Button);
    layout->addWidget(menu2Button);
    layout->addStretch(2);
}

void MainViewController::setMenusShown(bool shown) {
    menu1Button->setVisible(shown);
    menu2Button->setVisible(shown);
}

void MainViewController::applyColours() {
    const bool tablet = platform().device->isTablet();
    NavigationBarAppearance& bars = NavigationBarAppearance::shared();
    bars.tintColor = PublicFunction::colorWithHexString("ffffffff");
    bars.barTintColor = PublicFunction::colorWithHexString("ec407aff");
    bars.titleColor = PublicFunction::colorWithHexString("ffffffff");
    bars.titleFont = systemFont(tablet ? 20 : 18);
    if (navigationController()) navigationController()->applyAppearance();
    const int radius = tablet ? 15 : 10;
    closeBtn->setStyleSheet(
        QStringLiteral("QPushButton { border-radius: %1px; background: %2; color: white; "
                       "padding: 4px 18px; }")
            .arg(radius)
            .arg(PublicFunction::colorWithHexString("ec407aff").name()));
}

void MainViewController::decideLogin() {
    const QString id = storedSetting(QString(chkerIdPreferenceKey));
    if (PublicVars::sharedInstance().networkState()) {
        if (!id.isEmpty())
            verifyLoginId(id);
        else
            showLoginView();
        return;
    }
    if (!id.isEmpty())
        showInspector(storedSetting(QString(chkerNamePreferenceKey)));
    else
        showLoginView();
}

void MainViewController::showInspector(const QString& name) {
    usrLabel->setText(kLabelFormat.arg(name));
    usrLabel->show();
    closeBtn->show();
}

void MainViewController::showLoginView() {
    // Nobody is logged in yet: the menus would only peek out around the prompt.
    setMenusShown(false);
    AlertView alert(QStringLiteral("身份驗證"), QStringLiteral("請輸入身份證字號"), this,
                    QStringLiteral("取消"), {QStringLiteral("好")});
    alert.tag = LoginPrompt;
    alert.alertViewStyle = AlertViewStyle::PlainTextInput;
    alert.placeholder = QStringLiteral("身份證字號");
    // An ID is a capital Latin letter and digits: an on-screen keyboard
    // offers capitals and digits, neither predicts nor corrects them, and
    // keeps no personal number in its learned words.
    alert.textFieldHints =
        Qt::ImhUppercaseOnly | Qt::ImhLatinOnly | Qt::ImhNoPredictiveText | Qt::ImhSensitiveData;
    alert.show();
}

int MainViewController::verifyLoginId(const QString& typedId) {
    const QString serverIp =
        PublicFunction::getPlistPrarmAndKey(parametersFileName, serverIpKey).value_or(QString());
    const QString id = typedId.toUpper();
    const std::optional<InspectorAnswer> answer = lookupInspector(serverIp, id);
    if (!answer) {
        if (storedSetting(QString(chkerIdPreferenceKey)).isEmpty()) return NoAnswer;
        usrLabel->setText(kLabelFormat.arg(storedSetting(QString(chkerNamePreferenceKey))));
        return Accepted;
    }
    if (!answer->accepted()) return Rejected;

    SettingsStore& settings = *platform().settings;
    const QString name = decodeInspectorName(answer->chkerName);
    settings.setString(QString(chkerIdPreferenceKey), id);
    settings.setString(QString(chkerNamePreferenceKey), name);
    settings.synchronize();
    showInspector(name);
    ver_ios = answer->ver_ios;
    url_ios = answer->url_ios;
    const QString deadline = answer->max_up_date.value_or(QString());
    max_up_date_str_format = rocDateDisplayForm(deadline);
    max_up_date = leadingInteger(deadline);
    now_date = leadingInteger(
        *PublicFunction::getFormatROCTimeFormatString(platform().clock->now(), "yyyyMMdd"));
    if (answer->msg && !answer->msg->isEmpty())
        AlertView(QStringLiteral("通知訊息"), *answer->msg, nullptr, std::nullopt,
                  {QStringLiteral("知道了")})
            .show();
    checkUpdateVersion();
    return Accepted;
}

void MainViewController::checkUpdateVersion() {
    if (!url_ios) return;
    if (ver_ios && *ver_ios == localVersion()) return;
    if (!hasUpdate) return;
    plistUrl = *url_ios;
    if (now_date <= max_up_date) {
        hasUpdate = false;
        AlertView alert(QStringLiteral("版本更新"),
                        QStringLiteral("您目前使用的版本不是最新的，是否要下載更新？\n註：請於%"
                                       "1前進行更新，逾期將無法使用此App")
                            .arg(max_up_date_str_format),
                        this, QStringLiteral("更新"), {QStringLiteral("暫不更新")});
        alert.tag = SoftUpdate;
        alert.show();
    } else {
        AlertView alert(QStringLiteral("版本更新"),
                        QStringLiteral("您目前使用的版本不是最新的，已逾%1更新期限，請立即下載更新")
                            .arg(max_up_date_str_format),
                        this, QStringLiteral("更新"), {QStringLiteral("離開程式")});
        alert.tag = ForcedUpdate;
        alert.show();
    }
}

void MainViewController::closeButtonPressed() {
    AlertView alert(QStringLiteral("登出作業"),
                    QStringLiteral("登出後將清除安檢員資料, 是否確定登出"), this,
                    QStringLiteral("取消"), {QStringLiteral("登出")});
    alert.tag = Logout;
    alert.show();
}

void MainViewController::appExit() {
    SettingsStore& settings = *platform().settings;
    settings.setString(QString(chkerIdPreferenceKey), QString(""));
    settings.setString(QString(chkerNamePreferenceKey), QString(""));
    settings.synchronize();
    platform().system->exitProcess(0);
}

void MainViewController::answerLoginPrompt(const QString& text) {
    if (text.isEmpty()) {
        showLoginView();
        return;
    }
    setEnabled(false);
    const int result = verifyLoginId(text);
    if (result == Accepted) {
        setMenusShown(true);
    } else if (result == Rejected) {
        AlertView alert(QStringLiteral("身份驗證"), QStringLiteral("身份證字號不正確, 請重新輸入"),
                        this, QStringLiteral("知道了"));
        alert.tag = WrongId;
        alert.show();
    } else if (result == NoAnswer) {
        AlertView alert(QStringLiteral("身份驗證"),
                        QStringLiteral("無法連接網路或後端數據庫沒有回應, 即將關閉程式"), this,
                        QStringLiteral("知道了"));
        alert.tag = NoNetwork;
        alert.show();
    }
    setEnabled(true);
}

void MainViewController::alertViewClickedButtonAtIndex(const AlertAnswer& answer) {
    switch (answer.tag) {
    case LoginPrompt:
        if (answer.buttonIndex == 0)
            platform().system->exitProcess(0);
        else
            answerLoginPrompt(answer.text);
        break;
    case NoNetwork:
        platform().system->exitProcess(0);
        break;
    case WrongId:
        showLoginView();
        break;
    case ForcedUpdate:
    case SoftUpdate:
        if (answer.buttonIndex == 0)
            platform().system->openUrl(QUrl(plistUrl));
        else if (answer.tag == ForcedUpdate)
            platform().system->exitProcess(0);
        break;
    case Logout:
        if (answer.buttonIndex == 1) appExit();
        break;
    default:
        break;
    }
}

void MainViewController::menu1ButtonPressed() {
    openAfterOverlay(makeCheckStartScreen);
}

void MainViewController::menu2ButtonPressed() {
    openAfterOverlay(makeRecordsScreen);
}

void MainViewController::openAfterOverlay(const std::function<ViewController*()>& make) {
    if (!make) return;
    PublicFunction::startIndicator(kLoading);
    QPointer<MainViewController> self(this);
    platform().loop->after(kOverlayDelay, [self, make] {
        if (!self) return;
        ViewController* screen = make();
        PublicFunction::stopIndicator();
        if (self->navigationController())
            self->navigationController()->pushViewController(screen, false);
    });
}
