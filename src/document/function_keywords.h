// The keywords of the twelve function blocks, in the order in which the
// document creates their elements.
#pragma once

#include <cstdint>

constexpr uint32_t MERX_FUNCTION_COUNT = 12;

inline constexpr const char* g_aszMerxFunctionKeywords[MERX_FUNCTION_COUNT] = {
    "@@FUNCITEM", "@@FUNCEVENT", "@@FUNCUPDATE", "@@FUNCINIT",   "@@FUNCBASE",    "@@FUNCTURN",
    "@@FUNCCUSTOM", "@@FUNCNEW", "@@FUNCSHOPIN", "@@FUNCSHOPOUT", "@@FUNCSALE", "@@FUNCBUY",
};
