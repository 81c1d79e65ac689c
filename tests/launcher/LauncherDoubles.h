#pragma once

#include <QString>
#include <QStringList>

#include <map>

#include "launcher/DocumentOpener.h"
#include "launcher/InstallerService.h"
#include "launcher/LauncherInteraction.h"
#include "launcher/WindowCloser.h"

namespace grayden::test {

// Every service call of a test, in order, as one line each.
using CallLog = QStringList;

class FakeInstaller : public InstallerService {
public:
    explicit FakeInstaller(CallLog& log) : log_(log) {}
    bool canInstallPackages() const override { return platformSupported; }
    bool toolsAvailable() const override { return tools; }
    QString installedPackage(const QString& productCode) override {
        log_ << "query " + productCode;
        return installed;
    }
    RemovalResult removePackage(const QString& package) override {
        log_ << "remove " + package;
        return removal;
    }

    bool platformSupported = true;
    bool tools = true;
    QString installed;
    RemovalResult removal = RemovalResult::Removed;

private:
    CallLog& log_;
};

// Answers each path by the end of its name; anything else opens.
class FakeOpener : public DocumentOpener {
public:
    explicit FakeOpener(CallLog& log) : log_(log) {}
    OpenResult openDocument(const QString& path) override {
        log_ << "open " + path;
        for (const auto& [ending, result] : results) {
            if (path.endsWith(ending)) return result;
        }
        return OpenResult::Opened;
    }
    void openAddress(const QString& address) override { log_ << "address " + address; }

    std::map<QString, OpenResult> results;

private:
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
    void showStopMessage(QWidget*, int stringId) override { log_ << QString("stop %1").arg(stringId); }

    bool answerYes = true;

private:
    CallLog& log_;
};

}  // namespace grayden::test
