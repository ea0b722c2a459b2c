#pragma once

#include "link/LineOpener.h"
#include "transfer/TransferSession.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tillora {

class CLogoPicture;
class CQtFeedback;

// Where the logo manager finds its files and the register.
struct LogoDialogSetup {
    // The INI file that remembers the picture and gives the quiet gap between frames.
    std::string iniFile;
    // The folder whose "EcrLogo" holds the models' default pictures.
    std::string defaultsBase;
    // The model in force (EcrType), whose logo size and default picture the dialog offers.
    int model = -1;
    // Runs a send on a transfer session of the settings in force at that moment, its messages
    // shown by the feedback given.
    SessionRunner runSession;
};

// "Logo Менажер": the picture that goes to the register as its receipt logo, its preview and
// size, the size the model expects, and the send with its progress. The send runs on the GUI
// thread; meanwhile the window stays painted and takes no input.
class CLogoDialog : public QDialog {
    Q_OBJECT
public:
    // Loads the start picture: the remembered file, else the model's default, else the built-in.
    CLogoDialog(CLogoPicture& picture, LogoDialogSetup setup, QWidget* parent = nullptr);
    ~CLogoDialog() override;

    QPushButton* StartButton() const { return m_start; }
    QPushButton* FromFileButton() const { return m_fromFile; }
    QPushButton* DefaultButton() const { return m_default; }
    QPushButton* ExitButton() const { return m_exit; }
    QProgressBar* Progress() const { return m_progress; }
    QLabel* Hint() const { return m_hint; }
    QLabel* Information() const { return m_information; }

    // What the preview shows: the picture unscaled, cut to the register's widest logo; null when
    // no picture is loaded.
    QImage PreviewImage() const;

    // Loads the picture at path (UTF-8; empty: the built-in one) and shows it at once.
    bool LoadPicture(const std::string& path);

    void OnStart();
    void OnFromFile();
    void OnDefault();

private:
    void BuildLayout();

    CLogoPicture& m_picture;
    LogoDialogSetup m_setup;
    CQtFeedback* m_feedback;
    QWidget* m_preview = nullptr;
    QLabel* m_information = nullptr;
    QLabel* m_hint = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_fromFile = nullptr;
    QPushButton* m_default = nullptr;
    QPushButton* m_exit = nullptr;
};

} // namespace tillora
