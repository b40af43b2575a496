#include "app/image/image_sources.h"
#include "app/image/window_description.h"

// The windows in the order of the window index: the main window, the range window, the search
// window.
std::vector<uint8_t> BuildFormSegment() {
  return forms::EncodeFormSegment({image::ToWindowRecord(image::MainWindow()), image::ToWindowRecord(image::RangeWindow()),
                                   image::ToWindowRecord(image::SearchWindow())});
}
