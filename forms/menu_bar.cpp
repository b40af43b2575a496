#include "forms/menu_bar.h"

#include "forms/record_edit.h"
#include "forms/template_ids.h"
#include "forms/window_registry.h"
#include "forms/window_unit.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_error.h"
#include "runtime/startup.h"

namespace forms {
namespace {

void Append(HMENU menu, const std::vector<MenuNode>& nodes, WindowTemplate* window, uint32_t runFirst) {
  for (const MenuNode& n : nodes) {
    if (n.separator) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else if (n.dropDown) {
      HMENU sub = CreatePopupMenu();
      Append(sub, n.children, window, runFirst);
      AppendMenuA(menu, MF_POPUP | MF_STRING | (n.disabled ? MF_GRAYED : 0), reinterpret_cast<UINT_PTR>(sub),
                  n.text.c_str());
      if (window) {
        auto ref = window->Table().ByIndex(runFirst + n.position);
        if (ref) {
          auto slots = window->Table().Menu(*ref).RunTimeSlotsPosition();
          if (slots) StoreRecordDword(*window, *ref, *slots, HandleWord(sub));
        }
      }
    } else {
      AppendMenuA(menu, MF_STRING | (n.disabled ? MF_GRAYED : 0) | (n.checked ? MF_CHECKED : 0), n.commandId,
                  n.text.c_str());
    }
  }
}

HACCEL MakeShortcutTable(const std::vector<Shortcut>& shortcuts) {
  std::vector<ACCEL> table;
  for (const Shortcut& s : shortcuts) {
    if (!s.key.virtualKey) continue;
    ACCEL a{};
    a.fVirt = FVIRTKEY | FNOINVERT | (s.key.control ? FCONTROL : 0) | (s.key.shift ? FSHIFT : 0);
    a.key = s.key.virtualKey;
    a.cmd = static_cast<WORD>(s.commandId);
    table.push_back(a);
  }
  if (table.empty()) return nullptr;
  return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

}  // namespace

MenuRun MenuRunOf(const WindowTemplate& window) {
  UnitTableView table = window.Table();
  MenuRun run;
  for (uint32_t i = 0; i < table.Count(); ++i) {
    if (!table.IsMenuItem(i)) {
      if (run.count) break;  // the run is consecutive
      continue;
    }
    if (!run.count) run.first = i;
    ++run.count;
  }
  return run;
}

std::vector<MenuItemInfo> MenuItemsOf(const WindowTemplate& window) {
  UnitTableView table = window.Table();
  MenuRun run = MenuRunOf(window);
  std::vector<MenuItemInfo> items;
  for (uint32_t i = 0; i < run.count; ++i) {
    MenuItemInfo info;
    if (auto ref = table.ByIndex(run.first + i)) {
      MenuRecordView m = table.Menu(*ref);
      info.shortcut = m.ShortcutKey().value_or(0);
      info.level = m.Level().value_or(0);
      info.flags = m.Flags().value_or(0);
      info.caption = std::string(m.Caption().value_or(""));
    }
    items.push_back(std::move(info));
  }
  return items;
}

BuiltMenu BuildMenuBar(WindowTemplate& window) {
  MenuRun run = MenuRunOf(window);
  if (!run.count) return {};
  MenuPlan plan = PlanMenu(MenuItemsOf(window));
  BuiltMenu built;
  built.menu = CreateMenu();
  Append(built.menu, plan.items, &window, run.first);
  built.shortcuts = MakeShortcutTable(plan.shortcuts);
  return built;
}

void RebuildMenuBar(uint32_t windowId) {
  WindowUnit* unit = LoadedWindowUnit(windowId);
  WindowTemplate* window = FindTemplate(windowId);
  if (!unit || !window) return;
  BuiltMenu built = BuildMenuBar(*window);
  HMENU old = GetMenu(unit->head.window);
  SetMenu(unit->head.window, built.menu);
  if (unit->shortcuts) DestroyAcceleratorTable(unit->shortcuts);
  unit->shortcuts = built.shortcuts;
  if (old) DestroyMenu(old);
  DrawMenuBar(unit->head.window);
}

bool ChooseMenuCommand(uint32_t windowId, uint32_t commandId) {
  if (commandId >= kFirstSystemCommand || commandId < kFirstMenuCommand) return false;
  WindowTemplate* window = FindTemplate(windowId);
  if (!window) return false;
  MenuRun run = MenuRunOf(*window);
  uint32_t position = commandId - kFirstMenuCommand;
  if (position >= run.count) return false;
  auto id = window->Table().IdAt(run.first + position);
  if (!id) return false;
  EventRecord r{};
  r.windowId = windowId;
  r.unitId = *id;
  r.eventIndex = 0;
  rt::ServiceEntry()(svc::RaiseEvent, Word(&r), 0);
  return true;
}

void ShowPopupMenu(uint32_t windowId, uint32_t itemId, bool hasX, int32_t x, bool hasY, int32_t y) {
  auto object = FromWord<UnitObjectHead>(rt::ServiceEntry()(svc::FindUnitStrict, windowId, 0));
  WindowTemplate* window = FindTemplate(windowId);
  if (!object || !window || !IsMenuItemId(itemId)) return;
  auto ref = window->Table().ById(itemId);
  MenuRun run = MenuRunOf(*window);
  if (!ref || ref->index < run.first || ref->index >= run.first + run.count) return;
  MenuPlan plan = PlanSubMenu(MenuItemsOf(*window), ref->index - run.first);
  if (plan.items.empty()) return;
  HMENU popup = CreatePopupMenu();
  Append(popup, plan.items, nullptr, run.first);
  POINT at{};
  GetCursorPos(&at);
  at.x = hasX ? x : at.x + 3;
  at.y = hasY ? y : at.y + 3;
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, object->window, nullptr);
  DestroyMenu(popup);
}

}  // namespace forms
