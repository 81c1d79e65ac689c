#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <utility>

#include "launcher/DocumentOpener.h"
#include "launcher/InstallerService.h"
#include "launcher/LauncherInteraction.h"
#include "launcher/WindowCloser.h"

namespace grayden::test {

// Every service call of a test, in order, as one line each.
using CallLog = QStringList;

// Answers at once, or, with `hold`, only when the test calls answer(), as a slow tool would.
class FakeInstaller : public InstallerService {
public:
    explicit FakeInstaller(CallLog& log) : log_(log) {}
    bool canInstallPackages() const override { return platformSupported; }
    bool canRemovePackages() const override { return removalTool; }
    void findInstalledPackage(const QString& productCode, std::function<void(const QString&)> done) override {
        log_ << "query " + productCode;
        run([this, done] { done(installed); });
    }
    void removePackage(const QString& package, std::function<void(RemovalResult)> done) override {
        log_ << "remove " + package;
        run([this, done] { done(removal); });
    }
    bool toolRunning() const override { return bool(pending_); }
    void endRunningTool() override {
        if (pending_) log_ << "end";
        pending_ = nullptr;
    }
    QString removalCommand(const QString& package) const override { return "removal-command " + package; }
    QString installCommand(const QString& path) const override { return "install-command " + path; }
    void answer() { std::exchange(pending_, nullptr)(); }

    bool platformSupported = true;
    bool removalTool = true;
    bool hold = false;
    QString installed;
    RemovalResult removal = RemovalResult::Removed;

private:
    void run(std::function<void()> answerLater) {
        pending_ = std::move(answerLater);
        if (!hold) answer();
    }

    CallLog& log_;
    std::function<void()> pending_;
};

// Answers each path by the end of its name; anything else opens.
class FakeOpener : public DocumentOpener {
public:
    explicit FakeOpener(CallLog& log) : log_(log) {}
    OpenResult checkDocument(const QString& path) override {
        log_ << "check " + path;
        return resultFor(path);
    }
    OpenResult openDocument(const QString& path) override {
        log_ << "open " + path;
        return resultFor(path);
    }
    void openAddress(const QString& address) override { log_ << "address " + address; }

    std::map<QString, OpenResult> results;

private:
    OpenResult resultFor(const QString& path) const {
        for (const auto& [ending, result] : results) {
            if (path.endsWith(ending)) return result;
        }
        return OpenResult::Opened;
    }

    CallLog& log_;
};

class FakeWindowCloser : public WindowCloser {
public:
    explicit FakeWindowCloser(CallLog& log) : log_(log) {}
    bool closeWindowTitled(const QString& title) override {
        log_ << "close " + title;
        return false;
    }

private:
    CallLog& log_;
};

class ScriptedUser : public LauncherInteraction {
public:
    explicit ScriptedUser(CallLog& log) : log_(log) {}
    bool askYesNo(QWidget*, int stringId) override {
        log_ << QString("ask %1").arg(stringId);
        return answerYes;
    }
    // "stop N" or "warn N", then the detail's lines after " | ".
    void showMessage(QWidget*, MessageIcon icon, int stringId, const QString& detail) override {
        const QString line = QString(icon == MessageIcon::Stop ? "stop %1" : "warn %1").arg(stringId);
        log_ << (detail.isEmpty() ? line : line + " | " + detail);
    }

    bool answerYes = true;

private:
    CallLog& log_;
};

}  // namespace grayden::test
