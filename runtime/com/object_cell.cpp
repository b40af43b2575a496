#include "runtime/com/object_cell.h"

#include <oaidl.h>

#include "runtime/heap.h"

namespace rt::com {

void ReleaseCell(ComObjectCell* cell) {
  if (!cell) return;
  if (cell->object) {
    if (cell->record) {
      IRecordInfo* info = nullptr;
      if (SUCCEEDED(cell->object->QueryInterface(IID_IRecordInfo, reinterpret_cast<void**>(&info))) && info) {
        info->RecordClear(cell->record);
        info->Release();
      }
    }
    cell->object->Release();
  } else if (cell->record) {
    rt::FreeBlock(cell->record);
  }
  cell->object = nullptr;
  cell->record = nullptr;
}

}  // namespace rt::com
