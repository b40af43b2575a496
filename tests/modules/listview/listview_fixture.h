// A list view unit in a real window for tests: a parent that reflects notifications as a loaded
// window does, and a service entry in front of the runtime's that knows the test's units and
// records the events they raise (with answers a test may set per event).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/abi/unit_interface.h"

namespace lvtest {

struct RaisedEvent {
  uint32_t windowId;
  uint32_t unitId;
  int32_t event;
  std::vector<uint32_t> args;
};

constexpr uint32_t kWindowId = 0x52010001;
constexpr uint32_t kUnitId = 0x16010011;

// The main window's list data as the program image holds it.
std::vector<uint8_t> MainListBlock();

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates a unit from the block in the parent and makes it findable by (kWindowId, unitId).
  void* Create(const std::vector<uint8_t>& block, uint32_t unitId = kUnitId, uint32_t extraStyle = WS_VISIBLE);
  HWND WindowOf(void* unit) const { return static_cast<UnitObjectHead*>(unit)->window; }
  PropertyPair Get(void* unit, uint32_t index);
  uint32_t Set(void* unit, uint32_t index, PropertyPair value);
  std::vector<uint8_t> DataOf(void* unit);
  // Runs a command of the module (0 insert, 1 set text, 2 get text, 3 count) on a unit.
  CmdArg Call(uint32_t command, std::vector<CmdArg> args, uint32_t unitId = kUnitId);
  // The text a command returned, freed back to the runtime heap.
  std::string TakeText(CmdArg result);

  static void Pump();
  std::vector<RaisedEvent> Events();
  void ClearEvents();
  // What the next handler of this event gives back.
  void Answer(int32_t event, uint32_t value);
  // Runs on the UI thread while the event is raised, before the answer is given.
  void OnEvent(int32_t event, std::function<void()> action);
  std::vector<std::pair<uint32_t, uint32_t>> Destroyed();

  HWND parent_ = nullptr;
};

}  // namespace lvtest
