#include "tests/modules/listview/listview_fixture.h"
#include "tests/units/unit_harness.h"

#include <cstring>

#include "app/app_ids.h"
#include "forms/form_segment_reader.h"
#include "forms/units/unit_base.h"
#include "image_constants.h"
#include "modules/listview/listview_interface.h"
#include "modules/listview/listview_module.h"
#include "runtime/startup.h"
#include "tests/support/test_image.h"

namespace lvtest {
namespace {

const uint8_t kSegment[image::kFormSegmentSize] = {
#include "form_segment.inc"
};

struct Recorder {
  std::mutex lock;
  std::map<std::pair<uint32_t, uint32_t>, void*> units;
  std::vector<RaisedEvent> events;
  std::map<int32_t, uint32_t> answers;
  std::map<int32_t, std::function<void()>> actions;
  std::vector<std::pair<uint32_t, uint32_t>> destroyed;
};
Recorder& Rec() {
  static Recorder r;
  return r;
}

AddrWord __cdecl TestService(uint32_t code, AddrWord a1, AddrWord a2) {
  Recorder& r = Rec();
  switch (code) {
    case svc::FindUnit:
    case svc::FindUnitStrict: {
      {
        std::lock_guard<std::mutex> hold(r.lock);
        auto it = r.units.find({static_cast<uint32_t>(a1), static_cast<uint32_t>(a2)});
        if (it != r.units.end()) return Word(it->second);
      }
      break;  // the runtime's own answer: nothing, or its error for the strict lookup
    }
    case svc::RaiseEvent: {
      auto e = FromWord<EventRecord>(a1);
      std::function<void()> action;
      bool answered = false;
      uint32_t answer = 0;
      {
        std::lock_guard<std::mutex> hold(r.lock);
        r.events.push_back({e->windowId, e->unitId, e->eventIndex, std::vector<uint32_t>(e->args, e->args + e->argCount)});
        if (r.actions.count(e->eventIndex)) action = r.actions[e->eventIndex];
        if (r.answers.count(e->eventIndex)) answered = true, answer = r.answers[e->eventIndex];
      }
      if (action) action();
      if (answered) e->hasResult = 1, e->result = answer;
      return 1;
    }
    case svc::UnitDestroyed: {
      std::lock_guard<std::mutex> hold(r.lock);
      const std::pair<uint32_t, uint32_t> unit{static_cast<uint32_t>(a1), static_cast<uint32_t>(a2)};
      r.destroyed.push_back(unit);
      for (auto it = r.units.begin(); it != r.units.end(); ++it)
        if (it->first == unit) {
          r.units.erase(it);
          break;
        }
      return 0;
    }
    default: break;
  }
  return rt::ServiceEntry()(code, a1, a2);
}

HWND MakeParent() { return unittest::MakeParent(800, 520); }

template <class Fn>
Fn Interface(uint32_t number) {
  return reinterpret_cast<Fn>(lv::ListViewInterface(number));
}
}  // namespace

std::vector<uint8_t> MainListBlock() {
  auto set = forms::ReadFormSegment(kSegment, sizeof kSegment);
  if (!set) return {};
  auto table = set->Find(ids::kMainWindow)->Table();
  auto ref = table.ById(ids::kMainList);
  if (!ref) return {};
  auto data = table.Unit(*ref).TypeData();
  if (!data) return {};
  return std::vector<uint8_t>(data->data, data->data + data->size);
}

void ListViewTest::SetUp() {
  testimg::InitRuntime();
  kUiExtLibDescriptor.notify(notify::Startup, ServiceWord(&TestService), 0);
  {
    std::lock_guard<std::mutex> hold(Rec().lock);
    Rec().events.clear();
    Rec().answers.clear();
    Rec().actions.clear();
    Rec().destroyed.clear();
  }
  parent_ = MakeParent();
}

void ListViewTest::TearDown() {
  DestroyWindow(parent_);
  Pump();
  std::lock_guard<std::mutex> hold(Rec().lock);
  Rec().units.clear();
  Rec().actions.clear();
}

void* ListViewTest::Create(const std::vector<uint8_t>& block, uint32_t unitId, uint32_t extraStyle) {
  auto create = Interface<UnitCreateFn>(unitif::Create);
  void* unit = create(block.data(), static_cast<uint32_t>(block.size()), extraStyle, parent_, 100, nullptr, 8, 8, 760,
                      448, kWindowId, unitId, 0, 0);
  if (unit) {
    std::lock_guard<std::mutex> hold(Rec().lock);
    Rec().units[{kWindowId, unitId}] = unit;
  }
  return unit;
}

PropertyPair ListViewTest::Get(void* unit, uint32_t index) {
  PropertyPair out{0xDEADBEEF, 0xDEADBEEF};
  EXPECT_NE(Interface<UnitGetPropertyFn>(unitif::GetProperty)(unit, index, &out), 0u) << index;
  return out;
}

uint32_t ListViewTest::Set(void* unit, uint32_t index, PropertyPair value) {
  return Interface<UnitPropertyChangedFn>(unitif::PropertyChanged)(unit, index, value, 0);
}

std::vector<uint8_t> ListViewTest::DataOf(void* unit) {
  HGLOBAL block = Interface<UnitGetDataFn>(unitif::GetData)(unit);
  std::vector<uint8_t> bytes(GlobalSize(block));
  std::memcpy(bytes.data(), GlobalLock(block), bytes.size());
  GlobalUnlock(block);
  GlobalFree(block);
  return bytes;
}

CmdArg ListViewTest::Call(uint32_t command, std::vector<CmdArg> args, uint32_t unitId) {
  args.insert(args.begin(), CmdArg{kWindowId, unitId, tc::ListView});
  CmdArg result{0, 0, 0};
  kUiExtLibDescriptor.commands[command](&result, static_cast<int32_t>(args.size()), args.data());
  return result;
}

std::string ListViewTest::TakeText(CmdArg result) {
  EXPECT_EQ(result.type, tc::Text);
  std::string s = ArgText(result) ? ArgText(result) : "";
  rt::ServiceEntry()(svc::Free, Word(ArgPtr(result)), 0);
  return s;
}

void ListViewTest::Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

std::vector<RaisedEvent> ListViewTest::Events() {
  std::lock_guard<std::mutex> hold(Rec().lock);
  return Rec().events;
}

void ListViewTest::ClearEvents() {
  std::lock_guard<std::mutex> hold(Rec().lock);
  Rec().events.clear();
}

void ListViewTest::Answer(int32_t event, uint32_t value) {
  std::lock_guard<std::mutex> hold(Rec().lock);
  Rec().answers[event] = value;
}

void ListViewTest::OnEvent(int32_t event, std::function<void()> action) {
  std::lock_guard<std::mutex> hold(Rec().lock);
  Rec().actions[event] = std::move(action);
}

std::vector<std::pair<uint32_t, uint32_t>> ListViewTest::Destroyed() {
  std::lock_guard<std::mutex> hold(Rec().lock);
  return Rec().destroyed;
}

}  // namespace lvtest
