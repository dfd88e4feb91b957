#pragma once

// SUMORA_CRC32_TARGET_BEGIN("features") ... SUMORA_CRC32_TARGET_END compiles every function
// declared between them for those instruction sets, as a target attribute on each would. GCC
// takes them from "#pragma GCC target", clang from "#pragma clang attribute"; neither accepts a
// target string that is not a literal, so a template cannot take it from its parameters.
// Include system and library headers before the region: a function they declare inside it
// would be compiled for the target and could stand in for the plain one at link time.

#define SUMORA_CRC32_PRAGMA(...) _Pragma(#__VA_ARGS__)

#if defined(__clang__)
#define SUMORA_CRC32_TARGET_BEGIN(features) \
    SUMORA_CRC32_PRAGMA(                    \
        clang attribute push(__attribute__((target(features))), apply_to = function))
#define SUMORA_CRC32_TARGET_END SUMORA_CRC32_PRAGMA(clang attribute pop)
#else
#define SUMORA_CRC32_TARGET_BEGIN(features) \
    SUMORA_CRC32_PRAGMA(GCC push_options) SUMORA_CRC32_PRAGMA(GCC target(features))
#define SUMORA_CRC32_TARGET_END SUMORA_CRC32_PRAGMA(GCC pop_options)
#endif
