#include "app/image/image_sources.h"

// The application's constant texts, in the program's code page.
const ConstantText kAppConstantTexts[] = {
    {"kProgramName", "Reelscout"},
    {nullptr, nullptr},
};
