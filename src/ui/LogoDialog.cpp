#include "ui/LogoDialog.h"

#include "grid/QtText.h"
#include "link/EcrIniFile.h"
#include "link/EcrSettings.h"
#include "link/Message.h"
#include "logo/LogoFiles.h"
#include "logo/LogoSend.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tables/FileFilter.h"
#include "ui/LogoPicture.h"
#include "ui/QtFeedback.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tillora {
namespace {

// More than the largest logo is not shown.
constexpr int PreviewWidth = static_cast<int>(LargestLogo.width);
constexpr int PreviewHeight = static_cast<int>(LargestLogo.height);
constexpr int Margin = 10; // the preview's corner in the window

// Draws what the dialog says the preview shows; nothing when no picture is loaded.
class CPicturePreview : public QWidget {
public:
    CPicturePreview(const CLogoDialog& dialog, QWidget* parent)
        : QWidget(parent), m_dialog(dialog) {
        setObjectName(QStringLiteral("preview"));
        setFixedSize(PreviewWidth, PreviewHeight);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        const QImage image = m_dialog.PreviewImage();
        if (!image.isNull()) {
            QPainter(this).drawImage(QPoint(0, 0), image);
        }
    }

private:
    const CLogoDialog& m_dialog;
};

QPushButton* Button(unsigned textId, const char* name, QWidget* parent) {
    auto* button = new QPushButton(UiText(textId), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* CentredLine(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

CLogoDialog::CLogoDialog(CLogoPicture& picture, LogoDialogSetup setup, QWidget* parent)
    : QDialog(parent), m_picture(picture), m_setup(std::move(setup)),
      m_feedback(new CQtFeedback(this, nullptr)) {
    setObjectName(QStringLiteral("logoDialog"));
    setWindowTitle(UiText(ids::LogoCaption));
    setWindowIcon(QApplication::windowIcon());
    BuildLayout();

    const int model = m_setup.model;
    const EcrIniFile ini(m_setup.iniFile);
    for (const std::string& path : StartPictureCandidates(ini, model, m_setup.defaultsBase)) {
        if (LoadPicture(path)) {
            break;
        }
    }
    m_progress->setRange(0, LogoProgressEnd);
    m_progress->setValue(0);
    m_hint->setText(MessageText(LogoSizeHint(model)));
}

CLogoDialog::~CLogoDialog() = default;

void CLogoDialog::BuildLayout() {
    m_preview = new CPicturePreview(*this, this);
    m_information = CentredLine("information", this);
    m_hint = CentredLine("hint", this);
    auto* hintLabel = new QLabel(UiText(ids::LogoHintLabel), this);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setAccessibleName(UiText(ids::TransferProgressName));
    m_progress->setTextVisible(false);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    m_start = Button(ids::LogoStart, "start", this);
    m_fromFile = Button(ids::LogoFromFile, "fromFile", this);
    m_default = Button(ids::LogoDefault, "defaultPicture", this);
    m_exit = Button(ids::LogoExit, "exit", this);
    m_start->setDefault(true);

    auto* hintRow = new QHBoxLayout;
    hintRow->addWidget(hintLabel);
    hintRow->addWidget(m_hint, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_start, m_fromFile, m_default, m_exit}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSizeConstraint(
        QLayout::SetFixedSize); // a fixed layout, as the register's users know it
    layout->addWidget(m_preview, 0, Qt::AlignLeft);
    layout->addWidget(m_information);
    layout->addLayout(hintRow);
    layout->addWidget(m_progress);
    layout->addWidget(rule);
    layout->addLayout(buttons);

    connect(m_start, &QPushButton::clicked, this, &CLogoDialog::OnStart);
    connect(m_fromFile, &QPushButton::clicked, this, &CLogoDialog::OnFromFile);
    connect(m_default, &QPushButton::clicked, this, &CLogoDialog::OnDefault);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
}

QImage CLogoDialog::PreviewImage() const {
    const QImage& image = m_picture.Image();
    if (image.isNull()) {
        return {};
    }
    return image.copy(0, 0, std::min(image.width(), PreviewWidth),
                      std::min(image.height(), PreviewHeight));
}

bool CLogoDialog::LoadPicture(const std::string& path) {
    EcrIniFile ini(m_setup.iniFile);
    const bool loaded = m_picture.Load(path, ini);
    // The built-in picture has no file to describe: the line keeps what the last file said.
    if (loaded && !path.empty()) {
        m_information->setText(MessageText(m_picture.Current().InformationLine()));
    }
    m_preview->repaint();
    return loaded;
}

void CLogoDialog::OnStart() {
    const bool hadFocus = m_start->hasFocus();
    m_start->setEnabled(false);
    {
        EcrIniFile ini(m_setup.iniFile);
        // The wait cursor's end also drops what was typed or clicked after the last piece.
        CWaitCursor waitCursor(*m_feedback);
        if (m_setup.runSession) {
            m_setup.runSession(*m_feedback, [&](TransferSession& session) {
                SendLogo(m_picture.Current(), ini, session, [this](int value) {
                    m_progress->setValue(value);
                    m_feedback->PumpPaintMessages();
                });
            });
        }
    }
    m_start->setEnabled(true);
    if (hadFocus) {
        m_start->setFocus();
    }
}

void CLogoDialog::OnFromFile() {
    QStringList filters;
    for (const std::string& filter :
         NameFilters(LoadString(ids::LogoFileFilter), FileNamesCaseSensitive())) {
        filters << FromUtf8(filter);
    }
    QFileDialog dialog(this, UiText(ids::ChoosePictureTitle));
    dialog.setObjectName(QStringLiteral("pictureFileDialog"));
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const std::string remembered = RememberedLogoPath(EcrIniFile(m_setup.iniFile));
    if (!remembered.empty()) {
        dialog.selectFile(FromPath(remembered));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    LoadPicture(ToPath(dialog.selectedFiles().constFirst()));
}

void CLogoDialog::OnDefault() {
    if (!m_feedback->AskYesNo(ids::ConfirmDefaultPicture, FormatMessage(ids::ConfirmDefaultPicture),
                              MessageIcon::Question, true)) {
        return;
    }
    LoadPicture(DefaultLogoPath(m_setup.model, m_setup.defaultsBase));
}

} // namespace tillora
