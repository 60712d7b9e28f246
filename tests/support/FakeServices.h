#pragma once

#include "platform/Platform.h"

#include <QMap>
#include <QStringList>
#include <deque>
#include <vector>

class FakeSettings : public SettingsStore {
  public:
    std::optional<QString> string(const QString& key) const override;
    void setString(const QString& key, const QString& value) override { values[key] = value; }
    void synchronize() override { ++synchronizations; }

    QMap<QString, QString> values;
    int synchronizations = 0;
};

class FakeCamera : public CameraAccess, public CameraPicker {
  public:
    bool hasCamera() const override { return present; }
    AuthorizationStatus authorizationStatus() const override { return status; }
    // The answer is kept until a test gives it with answerAccess().
    void requestAccess(std::function<void(bool)> answer) override {
        pendingAccess.push_back(std::move(answer));
    }
    void answerAccess(bool granted);
    void takePhoto(std::function<void(std::optional<QByteArray>)> done) override {
        pendingPhoto = std::move(done);
    }
    // Returns the photo (or a cancel) to the screen that asked for it.
    void returnPhoto(std::optional<QByteArray> jpeg);

    bool present = true;
    AuthorizationStatus status = AuthorizationStatus::Authorized;
    std::deque<std::function<void(bool)>> pendingAccess;
    std::function<void(std::optional<QByteArray>)> pendingPhoto;
};

// A picture chooser the test answers: each call waits in asked until
// answer() gives it a path, or none.
class FakePictureChooser : public PictureChooser {
  public:
    struct Asked {
        QString title;
        QString filter;
        std::function<void(std::optional<QString>)> done;
    };
    void choosePicture(const QString& title, const QString& filter,
                       std::function<void(std::optional<QString>)> done) override {
        asked.push_back({title, filter, std::move(done)});
    }
    // Answers the oldest waiting call.
    void answer(std::optional<QString> path);

    std::deque<Asked> asked;
};

class FakeLocationSource;

// Counts running sources, so tests see that only one runs at a time.
class FakeLocation : public LocationProvider {
  public:
    std::unique_ptr<LocationSource> create() override;
    AuthorizationStatus authorizationStatus() const override { return status; }
    // The running sources, in the order they were started.
    std::vector<FakeLocationSource*> running() const;

    AuthorizationStatus status = AuthorizationStatus::Authorized;
    std::vector<FakeLocationSource*> alive;
    int created = 0;
};

class FakeLocationSource : public LocationSource {
  public:
    explicit FakeLocationSource(FakeLocation& owner) : owner_(owner) {}
    ~FakeLocationSource() override;
    void requestWhenInUseAuthorization() override { authorizationRequested = true; }
    void start() override { isRunning = true; }
    void stop() override { isRunning = false; }
    void deliver(const LocationFix& fix, const std::optional<LocationFix>& previous = std::nullopt);
    void fail(const QString& error);

    bool isRunning = false;
    bool authorizationRequested = false;

  private:
    FakeLocation& owner_;
};

class FakeReachability : public Reachability {
  public:
    Status currentStatus() const override { return status; }
    void startNotifier(std::function<void()> changed) override { notify = std::move(changed); }
    // Changes the status and sends the change notice.
    void change(Status now);

    Status status = ReachableViaWiFi;
    std::function<void()> notify;
};

class FakeSound : public SoundPlayer {
  public:
    bool play(const QString& resource, std::function<void()> finished) override;
    // Ends the sound that is playing.
    void finish();

    bool canPlay = true;
    QStringList played;
    std::function<void()> playing;
};

class FakeSystem : public SystemActions {
  public:
    bool openUrl(const QUrl& url) override {
        opened << url;
        return true;
    }
    void exitProcess(int status) override { exits << status; }

    QList<QUrl> opened;
    QList<int> exits;
};

class FakeDevice : public DeviceFacts {
  public:
    bool isTablet() const override { return tablet; }
    QSizeF screenSize() const override { return size; }
    QString systemVersion() const override { return version; }

    bool tablet = false;
    QSizeF size{320, 568};
    QString version = QStringLiteral("8.0");
};

// Keeps the label of the indicator that shows, and every label shown.
class FakeIndicator : public ProgressIndicator {
  public:
    void start(const QString& label) override {
        showing = label;
        shown << label;
    }
    void stop() override { showing.reset(); }
    void showStep(int place, int count, const QString& name) override {
        steps << QStringLiteral("%1/%2 %3").arg(place).arg(count).arg(name);
    }
    void showShare(qint64 done, qint64 total) override { shares << qMakePair(done, total); }
    void showBlockedWait(const QString& label) override { waits << label; }
    void endBlockedWait() override { ++waitsEnded; }

    std::optional<QString> showing;
    QStringList shown;
    QStringList steps; // "place/count name"
    QList<QPair<qint64, qint64>> shares;
    QStringList waits;
    int waitsEnded = 0;
};

class RecordingLog : public Log {
  public:
    void line(const QString& text) override { lines << text; }
    QStringList lines;
};

// Answers blocking fetches with a script and keeps asynchronous requests for
// the test to answer.
class FakeHttp : public HttpClient {
  public:
    void start(const HttpRequest& request, std::shared_ptr<HttpEvents> target) override;
    std::optional<QByteArray> fetch(const QUrl& url, double timeoutSeconds) override;

    // Answers a fetch; by default there is no answer.
    std::function<std::optional<QByteArray>(const QUrl& url, double timeoutSeconds)> onFetch;
    QList<QUrl> fetched;
    struct Started {
        HttpRequest request;
        std::shared_ptr<HttpEvents> target;
    };
    std::vector<Started> started;
};
