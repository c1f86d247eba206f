// What the menu's buttons do: install, free set-up, manual, exit.
#include "FrmFreeSetup.h"
#include "FrmMain.h"
#include "Failure.h"
#include "Launcher.h"
#include "LirvoClient.h"
#include "OsCheck.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "Settings.h"

void FrmMain::picInst_KeyDown(short Index, WORD KeyCode, WORD)
{
    if (KeyCode == VK_RETURN) picInst_Click(Index);
}

void FrmMain::picEnd_KeyDown(WORD KeyCode, WORD)
{
    if (KeyCode == VK_RETURN) picEnd_Click();
}

void FrmMain::picInst_Click(short Index)
{
    // The pressed picture is on screen before the action starts.
    if (Index != kInstall && Index != kFreeSetup && Index != kManual) return;
    picInst[Index].SetPicture(HolderOf(Index)[kStatePressed]);
    picInst[Index].PaintNow();

    EnableWindow(Window(), FALSE);
    switch (Index) {
    case kInstall: Install(); break;
    case kFreeSetup: OpenFreeSetup(); break;
    case kManual: OpenManual(); break;
    default: break;
    }
    EnableWindow(Window(), TRUE);

    ResetButtonPictures();
    picInst_GotFocus(kInstall);
    SetFocus(picInst[kInstall].Window());
}

void FrmMain::Install()
{
    const std::wstring path = NormalizePath(ProgramFolder() + Settings.Installer(language_));
    if (ReportIfUnusablePath(path, FailureReport::InstallerPathTooLong)) return;
    const Command installer = InstallerCommand(path, OsCode);
    RunProgram(installer.command, installer.parameters);
}

void FrmMain::OpenFreeSetup()
{
    ShowFreeSetupDialog(instance_, Window());
}

void FrmMain::OpenManual()
{
    const std::wstring path = NormalizePath(ProgramFolder() + Settings.Manual(language_));
    if (ReportIfUnusablePath(path, FailureReport::ManualPathTooLong)) return;
    if (OpenDocument(path)) ShowMessage(Window(), L"Can't not Open");
}

void FrmMain::picEnd_Click()
{
    picEnd.SetPicture(imgExit[kStatePressed]);
    picEnd.PaintNow();
    Sleep(300);
    if (language_ == UiLanguage::SimplifiedChinese) LirvoDestroy();
    ExitProcess(0);
}
