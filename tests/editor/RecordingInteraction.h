#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

#include "editor/app/UserInteraction.h"

namespace grayden::test {

// Answers for the user: records every message, hands out prepared file names and lets a test
// act in a settings dialog (without an answer a dialog is cancelled).
class RecordingInteraction : public UserInteraction {
public:
    void showMessage(QWidget*, int stringId) override { messages.push_back(stringId); }
    void showMessageText(QWidget*, const QString& text) override { messageTexts.push_back(text); }
    bool confirm(QWidget*, const QString& question) override {
        questions.push_back(question);
        return confirmAnswer;
    }
    int runDialog(QDialog& dialog) override {
        ++dialogRuns;
        return dialogAnswer ? dialogAnswer(dialog) : QDialog::Rejected;
    }
    QString chooseOpenPath(QWidget*) override {
        ++openCalls;
        return openPath;
    }
    QString chooseSavePath(QWidget*, const QString& initialPath) override {
        ++saveCalls;
        lastSaveInitialPath = initialPath;
        return savePath;
    }
    QString choosePdfSavePath(QWidget* owner, const QString& initialPath) override {
        return chooseSavePath(owner, initialPath);
    }

    std::vector<int> messages;
    std::vector<QString> messageTexts;
    std::vector<QString> questions;
    bool confirmAnswer = false;
    std::function<int(QDialog&)> dialogAnswer;
    int dialogRuns = 0;
    QString openPath;
    QString savePath;
    QString lastSaveInitialPath;
    int openCalls = 0;
    int saveCalls = 0;
};

}  // namespace grayden::test
