#include "cli/Commands.h"

#include "cli/Terminal.h"

#include "link/Message.h"
#include "logo/LogoSend.h"
#include "res/StringIds.h"

namespace tillora::cli {
namespace {

// The caption of the window's logo command, without its access key.
constexpr const char* LogoStatus = "Изпращане на лого";

// Loads the picture the command names; says why when it cannot.
bool LoadPicture(CCliSession& session, const LogoArguments& arguments, CurrentPicture& picture) {
    const int model = session.Settings().EcrType;
    if (arguments.file.empty() && !arguments.useDefault) {
        // As the logo manager opens: the remembered file, else the default, else none to send.
        LoadStartPicture(picture, session.Ini(), model, DefaultLogoBase());
        return true;
    }
    const std::string path = arguments.useDefault ? DefaultLogoPath(model) : arguments.file;
    if (picture.Load(path, session.Ini())) {
        return true;
    }
    switch (picture.LastFailure()) {
    case BitmapStatus::NotBitmap:
        Print(stderr, "%s\n", FormatMessage(ids::CliNotBitmap, path.c_str()).c_str());
        break;
    case BitmapStatus::Truncated:
        Print(stderr, "%s\n", FormatMessage(ids::CliBitmapTruncated, path.c_str()).c_str());
        break;
    default:
        ShowError(session.Feedback(), ids::FileNotOpenedForReading, path.c_str());
        break;
    }
    return false;
}

void PrintPicture(const CCliSession& session, const CurrentPicture& picture, std::FILE* out) {
    if (picture.Info()) {
        Print(out, "%s\n%s\n",
              FormatMessage(ids::CliPictureFile, picture.Path().c_str(),
                            static_cast<unsigned long long>(picture.Info()->fileSize))
                  .c_str(),
              picture.InformationLine().c_str());
    }
    Print(out, "%s\n",
          FormatMessage(ids::CliHint, LogoSizeHint(session.Settings().EcrType).c_str()).c_str());
    std::fflush(out);
}

} // namespace

int RunLogo(CCliSession& session, const LogoArguments& arguments, std::FILE* out) {
    CurrentPicture picture;
    if (!LoadPicture(session, arguments, picture)) {
        return ExitFailed;
    }
    PrintPicture(session, picture, out);
    CCliFeedback& feedback = session.Feedback();
    feedback.SetStatusText(LogoStatus);
    TransferSession transfer = session.Transfer();
    const bool sent = SendLogo(picture, session.Ini(), transfer, [&feedback](int progress) {
        feedback.SetProgress(static_cast<unsigned>(progress), LogoProgressEnd);
    });
    feedback.ClearProgress();
    if (!sent) {
        return ExitFailed;
    }
    Print(out, "%s\n", FormatMessage(ids::CliLogoSent).c_str());
    return ExitSuccess;
}

} // namespace tillora::cli
