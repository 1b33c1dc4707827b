# Compiler settings shared by every target of the project.

if(WIN32)
  set(RV_PLATFORM_WIN32 ON)
else()
  set(RV_PLATFORM_WIN32 OFF)
endif()

# Same bits on every target: no fused multiply-add, SSE2 doubles on 32-bit x86 (no x87 excess
# precision).
add_compile_options(-Wall -Wextra -ffp-contract=off)
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "i.86|x86")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # Self-contained binaries: only system DLLs among the imports.
  add_link_options(-static-libgcc -static-libstdc++ -static)
endif()

set(RV_SANITIZE "" CACHE STRING "Sanitizers to enable (address;undefined or thread)")
if(RV_SANITIZE)
  string(REPLACE ";" "," _rv_san "${RV_SANITIZE}")
  add_compile_options(-fsanitize=${_rv_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_rv_san})
endif()

# stb_image comes from Debian's libstb-dev; only its own folder goes on the include path, so the
# cross compilers never see the host's system headers.
find_path(RV_STB_INCLUDE_DIR stb_image.h PATHS /usr/include/stb NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)

# Windows programs of a cross build run under Wine, in a prefix of this build tree's own.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${PROJECT_SOURCE_DIR}/scripts/wine-run --prefix ${CMAKE_BINARY_DIR}/wineprefix --)
endif()
