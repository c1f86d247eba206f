#include "main/ChineseCaptions.h"

const CaptionCall kChineseCaptions[4] = {
    {-1, 92, 0, 0, 11, 255, 0},
    {1, 93, 28, 4, 12, 0, 1},
    {2, 98, 28, 4, 12, 0, 1},
    {3, 99, 28, 4, 12, 0, 1},
};
