#include "ServerFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

ServerFixture::ServerFixture() : server(demoConfig(), store.path().toStdString()) {
    port = server.start();
    fake.services.http = &http;
}

ServerConfig ServerFixture::demoConfig() {
    ServerConfig config;
    config.inspectors["X/測>"] = "林&#26519;華";
    config.inspectors["A123456789"] = "王大明";
    config.version = {"1.1", "http://example.invalid/app", "1991231", "通知"};
    config.cases[{"OVERDUE", "1"}] = {"D", "此案件已逾期", ""};
    config.cases[{"電梯 1", "C2"}] = {"N", "查無此案件", ""};
    return config;
}

QString ServerFixture::serverIp() const {
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

bool ServerFixture::pumpUntil(const std::function<bool()>& done, double capSeconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < capSeconds * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return done();
}
