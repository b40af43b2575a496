// The automation commands against the stand-in servers' probe, called the way compiled code calls
// them: what the member receives, what comes back, the outcome codes, and that no reference is
// left behind.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/com/call_outcome.h"
#include "runtime/commands/core_commands.h"
#include "runtime/heap.h"
#include "runtime/interface_table.h"
#include "tests/support/standin_server.h"
#include "tests/support/test_image.h"

namespace {

constexpr TypeCode kRef = tc::ArrayFlag;
CmdArg Omitted() { return CmdArg{0, 0, 0}; }

CmdArg Call(core::Command c, std::vector<CmdArg> args) {
  return rt::kInterfaceTable.callCoreCommand(kCoreCommands[c], static_cast<int32_t>(args.size()), args.data());
}

struct Cell {
  void* object = nullptr;
  void* record = nullptr;
};

// A Variant result, released and freed when it goes.
struct Answer {
  explicit Answer(CmdArg r) : block(static_cast<VARIANT*>(ArgPtr(r))) { EXPECT_EQ(r.type, tc::Variant); }
  ~Answer() {
    Call(core::VariantRelease, {MakePtr(block, tc::Variant)});
    rt::FreeBlock(block);
  }
  VARTYPE vt() const { return block ? block->vt : static_cast<VARTYPE>(VT_ILLEGAL); }
  VARIANT* block;
};

class ComObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    testimg::InitRuntime();
    ASSERT_TRUE(server_.registered());
  }
  void TearDown() override {
    Call(core::ObjectRelease, {ObjectArg()});
    EXPECT_EQ(server_.OutstandingReferences(), 0) << "an interface was left with a reference";
  }
  bool Create(const char* name, const char* library = nullptr) {
    std::vector<CmdArg> args{ObjectArg(), MakeText(name)};
    if (library) args.push_back(MakeText(library));
    return Call(core::ObjectCreate, args).lo != 0;
  }
  CmdArg ObjectArg() { return MakePtr(&cell_, tc::ComObject); }
  CmdArg Method(const char* name, std::vector<CmdArg> args = {}) {
    args.insert(args.begin(), {ObjectArg(), MakeText(name)});
    return Call(core::ObjectCallMethod, args);
  }
  int32_t Outcome() const { return rt::com::LastOutcome(); }
  std::vector<std::string> Records() const { return server_.Records(); }

  standin_test::StandinServer server_;
  Cell cell_;
};

TEST_F(ComObjects, ArgumentsArriveInOrderWithTheirTypesAndTrailingOmittedOnesAreDropped) {
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  {
    Answer a(Method("Record", {MakeInt(7), MakeText("电影"), MakeLogical(true), Omitted()}));
    EXPECT_EQ(Outcome(), 0);
    ASSERT_EQ(a.vt(), VT_I4);
    EXPECT_EQ(a.block->lVal, 3) << "the omitted fourth argument is not passed";
  }
  Answer b(Method("Record", {CmdArg{200, 0, tc::Byte}, CmdArg{static_cast<uint32_t>(-3), 0, tc::Short},
                             MakeLong(0x100000005LL), MakeFloat(1.5f), MakeDouble(2.25)}));
  Answer c(Method("Record", {MakeInt(1), Omitted(), MakeDateTime(2.0)}));
  EXPECT_EQ(Records(), (std::vector<std::string>{
                           u8"Record\tI4:7\tBSTR:电影\tBOOL:-1",
                           "Record\tUI1:200\tI2:-3\tI4:5\tR4:1.5\tR8:2.25",
                           "Record\tI4:1\tmissing\tDATE:2",
                       }));
}

TEST_F(ComObjects, AChineseTextCrossesIntactBothWaysAndAByReferenceTextToAPlainParameterIsNotChanged) {
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  char* variable = rt::DupText("《流浪地球》");
  char* before = variable;
  {
    Answer a(Method("Plain", {MakePtr(&variable, tc::Text | kRef)}));
    EXPECT_EQ(Outcome(), 0);
    ASSERT_EQ(a.vt(), VT_BSTR);
    EXPECT_EQ(std::wstring(a.block->bstrVal), L"《流浪地球》·好");
  }
  EXPECT_EQ(variable, before);
  EXPECT_STREQ(variable, "《流浪地球》");
  rt::FreeBlock(variable);
  // The member received the text by value.
  EXPECT_EQ(Records(), std::vector<std::string>{u8"Plain\tBSTR:《流浪地球》"});
}

TEST_F(ComObjects, OutputParametersAreWrittenBackIntoTheCallersVariables) {
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  char* text = rt::DupText("旧");
  {
    Answer a(Method("Decorate", {MakePtr(&text, tc::Text | kRef)}));
    EXPECT_EQ(Outcome(), 0);
    ASSERT_EQ(a.vt(), VT_BSTR);
    EXPECT_EQ(std::wstring(a.block->bstrVal), L"旧");
  }
  EXPECT_STREQ(text, "《旧》");

  int32_t number = -1;
  VARIANT* any = nullptr;  // a Variant variable with no block yet
  {
    Answer a(Method("Outputs", {MakePtr(&number, tc::Integer | kRef), MakePtr(&text, tc::Text | kRef),
                                MakePtr(&any, tc::Variant | kRef)}));
    EXPECT_EQ(Outcome(), 0);
  }
  EXPECT_EQ(number, 42);
  EXPECT_STREQ(text, "输出");
  ASSERT_NE(any, nullptr);
  EXPECT_EQ(any->vt, VT_R8);
  EXPECT_EQ(any->dblVal, 2.5);
  rt::FreeBlock(any);
  rt::FreeBlock(text);

  double real = 1.25;
  {
    Answer a(Method("Twice", {MakeInt(3), MakePtr(&real, tc::Double | kRef)}));
    EXPECT_EQ(a.block->lVal, 6);
  }
  EXPECT_EQ(real, 2.5);
  // A value handed to an in-out parameter goes through a hidden reference; nothing is written back.
  Answer d(Method("Decorate", {MakeText("值")}));
  EXPECT_EQ(Outcome(), 0);
  EXPECT_EQ(Records().back(), u8"Decorate\t&BSTR:值");
}

TEST_F(ComObjects, ArgumentsThatCannotBePassedAreRefusedAndNothingIsInvoked) {
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  void* bytes = rt::ByteArrayFromBytes("ab", 2);
  for (CmdArg refused : {MakePtr(bytes, tc::ByteArray), CmdArg{0x401000, 0, tc::SubPtr},
                         CmdArg{0x52010001, 0x06010000, tc::Window}}) {
    Answer a(Method("Record", {MakeInt(1), refused}));
    EXPECT_EQ(Outcome(), -7);
    EXPECT_EQ(a.vt(), VT_EMPTY);
  }
  rt::FreeBlock(bytes);
  EXPECT_TRUE(Records().empty());
}

TEST_F(ComObjects, UnknownNamesEmptyObjectsAndUnregisteredProgIdsFailQuietly) {
  EXPECT_FALSE(Create("ReelscoutTest.NotThere.1"));
  EXPECT_EQ(cell_.object, nullptr);
  {
    Answer a(Method("Record", {MakeInt(1)}));
    EXPECT_EQ(Outcome(), -1);
    EXPECT_EQ(a.vt(), VT_EMPTY);
  }
  ASSERT_TRUE(Create("{6C3D1E52-8A47-4B19-9F0E-2D5A7C81B344}"));  // the probe's CLSID
  void* probe = cell_.object;
  {
    Answer a(Method("NoSuchMember", {MakeInt(1)}));
    EXPECT_EQ(Outcome(), -3);
    EXPECT_EQ(a.vt(), VT_EMPTY);
  }
  {
    Answer a(Method("Plain", {MakeText("a"), MakeText("b")}));
    EXPECT_EQ(Outcome(), -5) << "more arguments than the member takes";
  }
  // A failed creation leaves the variable's object; a successful one replaces it.
  EXPECT_FALSE(Create("ReelscoutTest.NotThere.1"));
  EXPECT_EQ(cell_.object, probe);
  EXPECT_FALSE(Create("{not a clsid}"));
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  EXPECT_NE(cell_.object, nullptr);
  EXPECT_EQ(server_.OutstandingReferences(), 1) << "the old object is released";
  EXPECT_TRUE(Records().empty());
}

TEST_F(ComObjects, AnObjectCanBeMadeFromATypeLibrarysType) {
  std::string library = standin_test::StandinServer::DllPath();
  EXPECT_FALSE(Create("NoSuchType", library.c_str()));
  ASSERT_TRUE(Create("Probe", library.c_str()));
  Answer a(Method("Record", {MakeInt(5)}));
  EXPECT_EQ(Outcome(), 0);
}

TEST_F(ComObjects, ReleasingTwiceIsHarmlessAndObjectsPassedAsArgumentsAreReleased) {
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  Cell other;
  ASSERT_TRUE(Call(core::ObjectCreate, {MakePtr(&other, tc::ComObject), MakeText("ThunderAgent.Agent.1")}).lo);
  {
    Answer a(Method("Record", {MakePtr(&other, tc::ComObject), MakePtr(&other, tc::ComObject | kRef)}));
    EXPECT_EQ(Outcome(), 0);
  }
  EXPECT_EQ(Records().back(), "Record\tDISPATCH\tDISPATCH");
  EXPECT_EQ(server_.OutstandingReferences(), 2);
  Call(core::ObjectRelease, {MakePtr(&other, tc::ComObject)});
  EXPECT_EQ(other.object, nullptr);
  Call(core::ObjectRelease, {MakePtr(&other, tc::ComObject)});
  EXPECT_EQ(server_.OutstandingReferences(), 1);
}

TEST_F(ComObjects, PropertiesAreReadAndPut) {
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  { Answer a(Method("Counter", {MakeInt(5)})); EXPECT_EQ(Outcome(), 0); }
  {
    Answer a(Method("Counter"));
    ASSERT_EQ(a.vt(), VT_I4);
    EXPECT_EQ(a.block->lVal, 5);
  }
  { Answer a(Method("Title", {MakeText("标题")})); EXPECT_EQ(Outcome(), 0); }
  {
    Answer a(Method("Title"));
    ASSERT_EQ(a.vt(), VT_BSTR);
    EXPECT_EQ(std::wstring(a.block->bstrVal), L"标题");
  }
  { Answer a(Method("Label", {MakeText("x")})); EXPECT_EQ(Outcome(), 0); }
  EXPECT_EQ(Records(), (std::vector<std::string>{"Counter=\tI4:5", "Counter", u8"Title=\tBSTR:标题", "Title",
                                                 "Label=\tBSTR:x"}));
}

TEST_F(ComObjects, AVariableArgumentListTakesEveryExtraArgument) {
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  Answer a(Method("Many", {MakeText("a"), MakeInt(1), MakeInt(2), MakeText("b")}));
  EXPECT_EQ(Outcome(), 0);
  EXPECT_EQ(a.block->lVal, 4);
  EXPECT_EQ(Records().back(), "Many\tBSTR:a\tI4:1\tI4:2\tBSTR:b");
}

TEST_F(ComObjects, FailuresAndOddAnswersOfAServerGiveOutcomeCodes) {
  ASSERT_TRUE(Create("ReelscoutTest.Probe.1"));
  struct { int32_t code; int32_t outcome; } raised[] = {
      {0, -11},  // an exception with its information filled
      {static_cast<int32_t>(DISP_E_TYPEMISMATCH), -16}, {static_cast<int32_t>(DISP_E_BADPARAMCOUNT), -9},
      {static_cast<int32_t>(DISP_E_OVERFLOW), -14}, {static_cast<int32_t>(E_FAIL), -18},
      {static_cast<int32_t>(E_OUTOFMEMORY), -18},
  };
  for (auto r : raised) {
    Answer a(Method("Raise", {MakeInt(r.code)}));
    EXPECT_EQ(Outcome(), r.outcome) << std::hex << r.code;
    EXPECT_EQ(a.vt(), VT_EMPTY);
  }
  {
    Answer a(Method("Odd", {MakeInt(0)}));  // a reference is followed
    ASSERT_EQ(a.vt(), VT_I4);
    EXPECT_EQ(a.block->lVal, 7);
  }
  for (int32_t odd : {1, 4}) {  // a reference to nothing; no variant type at all
    Answer a(Method("Odd", {MakeInt(odd)}));
    EXPECT_EQ(Outcome(), -8);
    EXPECT_EQ(a.vt(), VT_EMPTY);
  }
  {
    Answer a(Method("Odd", {MakeInt(2)}));  // the object itself
    EXPECT_EQ(a.vt(), VT_DISPATCH);
    EXPECT_EQ(server_.OutstandingReferences(), 2);
  }
  {
    Answer a(Method("Odd", {MakeInt(3)}));
    EXPECT_EQ(a.vt(), VT_ARRAY | VT_I4);
  }
  // A Variant argument is passed as a copy.
  VARIANT* held = static_cast<VARIANT*>(rt::AllocBlock(sizeof(VARIANT)));
  VariantInit(held);
  held->vt = VT_BSTR;
  held->bstrVal = SysAllocString(L"变体");
  {
    Answer a(Method("Record", {MakePtr(held, tc::Variant)}));
    EXPECT_EQ(Records().back(), u8"Record\tBSTR:变体");
  }
  Call(core::VariantRelease, {MakePtr(&held, tc::Variant | kRef)});
  EXPECT_EQ(held->vt, VT_EMPTY);
  rt::FreeBlock(held);
}

// Objects of the test's own that lack what a call needs.
struct Bare : IUnknown {
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
};
struct Blind : IDispatch {
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** t) override { *t = nullptr; return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    ADD_FAILURE() << "invoked without type information";
    return E_FAIL;
  }
};

TEST_F(ComObjects, AnObjectWithoutDispatchOrTypeInformationIsNotInvoked) {
  Bare bare;
  Blind blind;
  for (auto [object, outcome] : {std::pair<IUnknown*, int32_t>{&bare, -2}, {&blind, -4}}) {
    Cell lent{object, nullptr};
    Answer a(Call(core::ObjectCallMethod, {MakePtr(&lent, tc::ComObject), MakeText("Anything"), MakeInt(1)}));
    EXPECT_EQ(Outcome(), outcome);
    EXPECT_EQ(a.vt(), VT_EMPTY);
  }
  EXPECT_EQ(bare.refs, 1);
  EXPECT_EQ(blind.refs, 1);
}

}  // namespace
