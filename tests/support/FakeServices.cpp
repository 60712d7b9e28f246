#include "support/FakeServices.h"

#include <algorithm>

std::optional<QString> FakeSettings::string(const QString& key) const {
    if (!values.contains(key)) return std::nullopt;
    return values.value(key);
}

void FakePictureChooser::answer(std::optional<QString> path) {
    if (asked.empty()) return;
    const Asked oldest = std::move(asked.front());
    asked.pop_front();
    oldest.done(std::move(path));
}

void FakeCamera::answerAccess(bool granted) {
    if (pendingAccess.empty()) return;
    auto answer = std::move(pendingAccess.front());
    pendingAccess.pop_front();
    answer(granted);
}

void FakeCamera::returnPhoto(std::optional<QByteArray> jpeg) {
    auto done = std::move(pendingPhoto);
    pendingPhoto = nullptr;
    if (done) done(std::move(jpeg));
}

std::unique_ptr<LocationSource> FakeLocation::create() {
    ++created;
    auto source = std::make_unique<FakeLocationSource>(*this);
    alive.push_back(source.get());
    return source;
}

std::vector<FakeLocationSource*> FakeLocation::running() const {
    std::vector<FakeLocationSource*> result;
    std::copy_if(alive.begin(), alive.end(), std::back_inserter(result),
                 [](FakeLocationSource* s) { return s->isRunning; });
    return result;
}

FakeLocationSource::~FakeLocationSource() {
    std::erase(owner_.alive, this);
}

void FakeLocationSource::deliver(const LocationFix& fix,
                                 const std::optional<LocationFix>& previous) {
    if (isRunning && onUpdate) onUpdate(fix, previous);
}

void FakeLocationSource::fail(const QString& error) {
    if (isRunning && onError) onError(error);
}

void FakeReachability::change(Status now) {
    status = now;
    if (notify) notify();
}

bool FakeSound::play(const QString& resource, std::function<void()> finished) {
    if (!canPlay) return false;
    played << resource;
    playing = std::move(finished);
    return true;
}

void FakeSound::finish() {
    auto done = std::move(playing);
    playing = nullptr;
    if (done) done();
}

void FakeHttp::start(const HttpRequest& request, std::shared_ptr<HttpEvents> target) {
    started.push_back({request, std::move(target)});
}

std::optional<QByteArray> FakeHttp::fetch(const QUrl& url, double timeoutSeconds) {
    fetched << url;
    return onFetch ? onFetch(url, timeoutSeconds) : std::nullopt;
}
