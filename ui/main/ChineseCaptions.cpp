#include "ChineseCaptions.h"

std::vector<CaptionCall> CaptionCallsForMask(short mask)
{
    struct Row {
        short bit;
        CaptionCall call;
    };
    static const Row rows[] = {
        {16, {CaptionWindow::AppliName, 92, 0, 0, 11, 255, 0}},
        {64, {CaptionWindow::FreeSetup, 93, 28, 4, 12, 0, 1}},
        {128, {CaptionWindow::Manual, 98, 28, 4, 12, 0, 1}},
        {256, {CaptionWindow::Exit, 99, 28, 4, 12, 0, 1}},
    };
    std::vector<CaptionCall> calls;
    for (const Row& row : rows)
        if (mask & row.bit) calls.push_back(row.call);
    return calls;
}
