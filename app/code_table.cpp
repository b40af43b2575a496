// The application's code table: the event handlers the form templates name by offset.
#include "app/image/program_image.h"

const EventHandlerFn kAppCodeTable[] = {
    nullptr,  // start of the compiled code; the code base is the next entry
    nullptr,
};
