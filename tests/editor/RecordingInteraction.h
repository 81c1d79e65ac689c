#pragma once

#include <QString>

#include <vector>

#include "editor/UserInteraction.h"

namespace grayden::test {

// Answers for the user: records every message and hands out prepared file names.
class RecordingInteraction : public UserInteraction {
public:
    void showMessage(QWidget*, int stringId) override { messages.push_back(stringId); }
    QString chooseOpenPath(QWidget*) override {
        ++openCalls;
        return openPath;
    }
    QString chooseSavePath(QWidget*, const QString& initialPath) override {
        ++saveCalls;
        lastSaveInitialPath = initialPath;
        return savePath;
    }

    std::vector<int> messages;
    QString openPath;
    QString savePath;
    QString lastSaveInitialPath;
    int openCalls = 0;
    int saveCalls = 0;
};

}  // namespace grayden::test
