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

    void openManual();
    void installEditor();
    // Offers to remove an installed editor with the product code first; false when the install
    // must not go on.
    bool removeOtherVersion(const QString& productCode);
    void reportShellError(OpenResult result);
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

    LauncherServices services_;
    QString moduleFolder_;
    DialogTemplate template_;
    std::map<int, QWidget*> controls_;
    QLabel* banner_ = nullptr;
    HoverImageButton* manualButton_ = nullptr;
    HoverImageButton* installButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
};

// The message of each way opening a document can fail.
int shellErrorMessageId(OpenResult result);

}  // namespace grayden
