#pragma once
// The hint of the patch-number box. The box takes its hint from its owner: here the test pair,
// in the program the main window.
constexpr wchar_t PATCH_EDIT_HINT[] = L"请输入6-7位数字补丁号，无需输入\"KB\"";
