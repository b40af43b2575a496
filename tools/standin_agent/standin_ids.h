// The stand-in servers' identifiers, as standin_agent.idl declares them.
#pragma once
#include <windows.h>

namespace standin {
// {6C3D1E52-8A47-4B19-9F0E-2D5A7C81B34x}
constexpr GUID Id(unsigned char last) { return GUID{0x6C3D1E52, 0x8A47, 0x4B19, {0x9F, 0x0E, 0x2D, 0x5A, 0x7C, 0x81, 0xB3, last}}; }
constexpr GUID kIidAgent = Id(0x41);
constexpr GUID kIidProbe = Id(0x42);
constexpr GUID kClsidAgent = Id(0x43);
constexpr GUID kClsidProbe = Id(0x44);
constexpr const wchar_t* kClsidAgentText = L"{6C3D1E52-8A47-4B19-9F0E-2D5A7C81B343}";
constexpr const wchar_t* kClsidProbeText = L"{6C3D1E52-8A47-4B19-9F0E-2D5A7C81B344}";
constexpr const wchar_t* kAgentProgId = L"ThunderAgent.Agent.1";
constexpr const wchar_t* kProbeProgId = L"ReelscoutTest.Probe.1";
}  // namespace standin
