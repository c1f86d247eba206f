// What the menu's buttons do: install, free set-up, manual, exit.
#include "main/FrmMain.h"

#include "Failure.h"
#include "Launcher.h"
#include "LirvoClient.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "Texts.h"
#include "freesetup/FrmFreeSetup.h"

void FrmMain::Install()
{
    const std::wstring path = NormalizePath(ProgramFolder() + state_.Settings.Installer(language_));
    if (ReportIfUnusablePath(path, FailureReport::InstallerPathTooLong)) return;
    const Command installer = InstallerCommand(path, state_.OsCode);
    RunProgram(installer.command, installer.parameters, state_.OsCode);
}

void FrmMain::OpenFreeSetup()
{
    ShowFreeSetupDialog(instance_, Window(), state_);
}

void FrmMain::OpenManual()
{
    const std::wstring path = NormalizePath(ProgramFolder() + state_.Settings.Manual(language_));
    if (ReportIfUnusablePath(path, FailureReport::ManualPathTooLong)) return;
    if (OpenDocument(path)) ShowMessage(Window(), LoadText(kTextCannotOpen, language_));
}

void FrmMain::ExitMenu()
{
    Sleep(300);
    if (language_ == UiLanguage::SimplifiedChinese) LirvoDestroy();
    ExitProcess(0);
}
