// The stand-in download agent: takes tasks as a download manager's agent does and records them.
#include "tools/standin_agent/dispatch_object.h"
#include "tools/standin_agent/standin_ids.h"

namespace standin {
namespace {

class Agent : public DispatchObject {
 public:
  Agent() : DispatchObject(kIidAgent) {}
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (!params) return E_INVALIDARG;
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
      case 1:  // AddTask(link, file name, [comment, referrer, cookie, threads])
        if (params->cArgs < 2) return DISP_E_PARAMNOTOPTIONAL;
        if (params->cArgs > 6) return DISP_E_BADPARAMCOUNT;
        Record(L"AddTask" + DescribeAll(params));
        break;
      case 2:  // CommitTasks2([mode])
        if (params->cArgs > 1) return DISP_E_BADPARAMCOUNT;
        Record(L"CommitTasks2" + DescribeAll(params));
        break;
      default: return DISP_E_MEMBERNOTFOUND;
    }
    if (result) {
      VariantInit(result);
      result->vt = VT_I4;
      result->lVal = 0;
    }
    return S_OK;
  }
};

}  // namespace

IDispatch* NewAgent() { return new Agent(); }

}  // namespace standin
