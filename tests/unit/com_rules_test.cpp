// The automation commands' rules that need no platform call.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/com/automation_rules.h"

using namespace rt::com;

TEST(ComRules, InvokeFailuresMapToTheirOutcomeCodes) {
  EXPECT_EQ(OutcomeOfInvokeFailure(0x8002000E), -9);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x80020008), -10);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x80020009), -11);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x80020003), -12);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x80020007), -13);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x8002000A), -14);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x80020004), -15);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x80020005), -16);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x8002000F), -17);
  EXPECT_EQ(OutcomeOfInvokeFailure(0x80004005), -18);  // E_FAIL
  EXPECT_EQ(OutcomeOfInvokeFailure(0x80020006), -18);  // DISP_E_UNKNOWNNAME is no code of its own
}

TEST(ComRules, OnlyValueTypesWithAVariantFormCanBePassed) {
  EXPECT_EQ(KindOfArgument(tc::Long), ArgKind::LongLow);
  EXPECT_EQ(KindOfArgument(tc::None), ArgKind::Missing);
  for (TypeCode refused : {tc::ByteArray, tc::SubPtr, tc::Window, tc::ListView, tc::Regex, tc::Wide8, 0x40000001u})
    EXPECT_EQ(KindOfArgument(refused), ArgKind::Refused) << std::hex << refused;
  EXPECT_EQ(ReceivingVarType(tc::ByteArray), 0);
  EXPECT_EQ(ReceivingVarType(tc::Long), 3);  // VT_I4: a Long receives 32 bits
}

TEST(ComRules, ByReferenceArgumentsAreReadAndWrittenAtTheirWidth) {
  int16_t shortVar = -5;
  CmdArg s = ReadThrough(MakePtr(&shortVar, tc::Short | tc::ArrayFlag));
  EXPECT_EQ(s.type, tc::Short);
  EXPECT_EQ(static_cast<int32_t>(s.lo), -5);
  int64_t longVar = 0;
  StoreScalar(tc::Long, &longVar, MakeLong(-2));
  EXPECT_EQ(longVar, -2);
  // A byte variable's neighbours are left alone.
  uint8_t bytes[4] = {1, 2, 3, 4};
  StoreScalar(tc::Byte, &bytes[1], CmdArg{0x1FF, 0, tc::Byte});
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1], 0xFF);
  EXPECT_EQ(bytes[2], 3);
  double d = 1.5;
  EXPECT_EQ(ArgDouble(ReadThrough(MakePtr(&d, tc::Double | tc::ArrayFlag))), 1.5);
  // A by-value argument is its own value; an object is always its cell's address.
  int cell[2] = {0, 0};
  EXPECT_EQ(ArgPtr(ReadThrough(MakePtr(cell, tc::ComObject | tc::ArrayFlag))), cell);
  EXPECT_EQ(ReadThrough(MakeInt(9)).lo, 9u);
}

TEST(ComRules, TrailingOmittedArgumentsAreDroppedAndExtraOnesNeedAVariableList) {
  CmdArg args[4] = {MakeInt(1), CmdArg{0, 0, 0}, MakeInt(3), CmdArg{0, 0, 0}};
  EXPECT_EQ(ArgumentsToPass(args, 4), 3u);
  EXPECT_EQ(ArgumentsToPass(args, 2), 1u);
  EXPECT_EQ(ArgumentsToPass(args + 1, 1), 0u);

  std::vector<uint32_t> plan;
  EXPECT_TRUE(PlanParameters(2, 3, 1, &plan));
  EXPECT_EQ(plan, (std::vector<uint32_t>{0, 1}));
  EXPECT_FALSE(PlanParameters(4, 3, 1, &plan));
  EXPECT_TRUE(PlanParameters(5, 2, -1, &plan));  // the extra ones take the last declared parameter
  EXPECT_EQ(plan, (std::vector<uint32_t>{0, 1, 1, 1, 1}));
  EXPECT_FALSE(PlanParameters(1, 0, -1, &plan));
  EXPECT_TRUE(PlanParameters(0, 0, 0, &plan));
}
