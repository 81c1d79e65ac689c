#pragma once

#include <QDialog>
#include <QString>

#include <map>

#include "launcher/DocumentOpener.h"
#include "launcher/LauncherServices.h"
#include "ui/DialogTemplate.h"

class QLabel;
class QPushButton;

namespace grayden {

class HoverImageButton;

// The launcher's window: a banner and three buttons, open the manual, install the editor, exit.
// Paths are taken relative to the launcher's own folder on the medium.
class LauncherDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int TemplateId = 101;
    static constexpr int BannerId = 1012;
    static constexpr int ManualButtonId = 1005;
    static constexpr int InstallButtonId = 1008;
    static constexpr int ExitButtonId = 1014;

    // moduleFolder ends with a slash.
    LauncherDialog(LauncherServices services, const QString& moduleFolder);
    ~LauncherDialog() override;

    void openManual();
    // Checks that the package can be opened, offers to remove an installed editor, then opens the
    // package. The package system's tools answer later; the window stays live meanwhile.
    void installEditor();
    void reportShellError(OpenResult result);
    // A package system's tool runs for the install: the image buttons wait and the cursor is busy.
    bool toolRunning() const { return toolRunning_; }
    // Ending the window while a tool runs ends the tool too, without asking.
    void done(int result) override;
    // Stacks the controls centred, and fits the window round them.
    void arrangeControls();
    void showAboutBox();

    QLabel* banner() const { return banner_; }
    HoverImageButton* manualButton() const { return manualButton_; }
    HoverImageButton* installButton() const { return installButton_; }
    QPushButton* exitButton() const { return exitButton_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void updateInstallButton();
    // The install's steps after the query: the question, the removal, the package.
    void removeOtherVersion(const QString& installed, const QString& packagePath);
    void openPackage(const QString& packagePath);
    void reportPackageError(OpenResult result, const QString& packagePath);
    void setToolRunning(bool running);
    void endRunningTool();

    LauncherServices services_;
    QString moduleFolder_;
    DialogTemplate template_;
    std::map<int, QWidget*> controls_;
    QLabel* banner_ = nullptr;
    HoverImageButton* manualButton_ = nullptr;
    HoverImageButton* installButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    bool installEnabled_ = false;
    bool toolRunning_ = false;
};

// The message of each way opening a document can fail.
int shellErrorMessageId(OpenResult result);

}  // namespace grayden
