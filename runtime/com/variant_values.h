// Between the program's values and VARIANTs: building a VARIANT from a caller's value, and
// converting a VARIANT back into a value of a given type (results and output arguments).
#pragma once
#include <windows.h>
#include <oleauto.h>

#include "runtime/abi/values.h"

namespace rt::com {

// A new runtime block holding one VARIANT (sizeof(VARIANT) bytes), zeroed.
VARIANT* NewVariantBlock();

// VariantCopyInd that refuses a reference to nothing instead of following it.
HRESULT CopyFollowingReferences(VARIANT* out, const VARIANT* source);

// Builds `out` (cleared by the caller) from a by-value argument. `declared` is the parameter's
// declared type (the pointed-to type of a pointer parameter), which decides how an object goes.
// Answers false for a value that cannot be passed.
bool BuildVariant(const CmdArg& value, VARTYPE declared, VARIANT* out);

// Converts `source` for the caller's variable of `valueType` at `variable` (a Text variable's old
// text is freed, a ComObject's old object released, a Variant variable gets a block when it has
// none). Answers false when the value cannot be converted; the variable is then left as it was.
bool StoreIntoVariable(const VARIANT& source, TypeCode valueType, void* variable);

}  // namespace rt::com
