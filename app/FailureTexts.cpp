#include "FailureTexts.h"

namespace {

struct Wording {
    const wchar_t* japanese;
    const wchar_t* chinese;
    const wchar_t* english;
};

// Every report has a case: the compiler names a report left without wording.
Wording WordingOf(FailureReport report)
{
    switch (report) {
    case FailureReport::StartProgram:
        return {L"次のプログラムを起動できませんでした。",
                L"无法启动以下程序。",
                L"This program could not be started:"};
    case FailureReport::InstallerPathTooLong:
        return {L"インストーラーのパスが長すぎます。",
                L"安装程序的路径太长。",
                L"The path of the installer is too long."};
    case FailureReport::ManualPathTooLong:
        return {L"マニュアルのパスが長すぎます。",
                L"使用手册的路径太长。",
                L"The path of the manual is too long."};
    case FailureReport::StartProgramPathTooLong:
        return {L"起動プログラムのパスが長すぎます。",
                L"启动程序的路径太长。",
                L"The path of the start program is too long."};
    case FailureReport::ProductFilesPathTooLong:
        return {L"コピーする Corvane のファイルのパスが長すぎます。",
                L"要复制的 Corvane 文件的路径太长。",
                L"The path of the Corvane files to copy is too long."};
    case FailureReport::CommonFilesPathTooLong:
        return {L"コピーする共通ファイルのパスが長すぎます。",
                L"要复制的公共文件的路径太长。",
                L"The path of the common files to copy is too long."};
    case FailureReport::CopyTargetPathTooLong:
        return {L"コピー先のパスが長すぎます。",
                L"复制目标的路径太长。",
                L"The path of the copy target is too long."};
    case FailureReport::MediumFolderPathTooLong:
        return {L"コピー先のメディアのフォルダーのパスが長すぎます。",
                L"目标存储介质的文件夹路径太长。",
                L"The path of the folder on the medium is too long."};
    case FailureReport::AutorunNotWritten:
        return {L"次のファイルに起動の設定を書き込めませんでした。セキュリティソフトが書き込みを止めた可能性があります。"
                L"Corvane はコピーされています。メディアを開いて Corvane フォルダーの CV.EXE から起動できます。",
                L"无法将启动设置写入以下文件。可能是安全软件阻止了写入。"
                L"Corvane 已复制。可打开该存储介质，从 Corvane 文件夹中的 CV.EXE 启动。",
                L"The start entries could not be written into this file; security software may have stopped it. "
                L"Corvane has been copied: open the medium and start CV.EXE in its Corvane folder."};
    case FailureReport::UnusableProgramFolder:
        return {L"このフォルダーの名前には、この Windows ではプログラムに渡せない文字が含まれ、"
                L"代わりに使える短い名前もありません。ここからは Corvane のインストール、起動、コピーができません。"
                L"ディスクの内容を、別の名前のフォルダーにコピーしてから使ってください。",
                L"此文件夹的名称含有此 Windows 无法传给程序的字符，且没有可替代使用的短名称。"
                L"无法从这里安装、启动或复制 Corvane。请将光盘内容复制到其他名称的文件夹后再使用。",
                L"The name of this folder holds characters that this Windows cannot pass to programs, and the "
                L"folder has no short name to use instead. Corvane cannot be installed, started or copied from "
                L"here: copy the disc to a folder with another name first."};
    case FailureReport::UnusableCopyTarget:
        return {L"選択したフォルダーの名前には、この Windows ではコピーに渡せない文字が含まれ、"
                L"代わりに使える短い名前もありません。別のフォルダーを選択してください。",
                L"所选文件夹的名称含有此 Windows 无法用于复制的字符，且没有可替代使用的短名称。请选择其他文件夹。",
                L"The name of the chosen folder holds characters that this Windows cannot pass to the copy, and "
                L"the folder has no short name to use instead. Please choose another folder."};
    case FailureReport::LoadText:
        return {L"プログラムのテキストを読み込めませんでした。",
                L"无法读取程序的文字。",
                L"A text of the program could not be loaded."};
    case FailureReport::CreateMenuWindow:
        return {L"メニューのウィンドウを作成できませんでした。",
                L"无法创建菜单窗口。",
                L"The menu window could not be created."};
    case FailureReport::CreateFreeSetupWindow:
        return {L"インストールせずに使うためのウィンドウを作成できませんでした。",
                L"无法创建免安装使用的窗口。",
                L"The window for using Corvane without installing could not be created."};
    case FailureReport::LoadCaptionLibrary:
        return {L"文字表示ライブラリを読み込めませんでした。",
                L"无法加载文字显示库。",
                L"The caption library could not be loaded."};
    case FailureReport::CaptionLibraryEntry:
        return {L"文字表示ライブラリに必要な関数がありません。",
                L"文字显示库缺少所需的函数。",
                L"The caption library lacks a function the menu needs."};
    case FailureReport::OutOfMemory:
        return {L"メモリが足りないため、続けられません。Pelmora を終了します。",
                L"内存不足，无法继续。Pelmora 将关闭。",
                L"There is not enough memory to go on. Pelmora will close."};
    case FailureReport::InternalError:
        return {L"内部エラーが発生しました。Pelmora を終了します。",
                L"发生内部错误。Pelmora 将关闭。",
                L"An internal error occurred. Pelmora will close."};
    }
    return {L"?", L"?", L"?"};
}

} // namespace

const wchar_t* FailureWording(FailureReport report, UiLanguage language)
{
    const Wording wording = WordingOf(report);
    return ByLanguage(language, wording.japanese, wording.chinese, wording.english);
}
