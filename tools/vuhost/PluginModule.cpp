#include "PluginModule.h"

#include "Error.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vuhost {

namespace {

#if defined(_WIN32)
std::string lastErrorText() {
    const DWORD code = GetLastError();
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.'))
        text.pop_back();
    // System messages about a file name it was not given ("%1 is not a valid Win32 application").
    for (std::size_t at; (at = text.find("%1")) != std::string::npos;) text.replace(at, 2, "the file");
    if (text.empty()) text = "error " + std::to_string(code);
    return text;
}
#endif

} // namespace

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) throw Error(path + ": no such file");
    if (std::filesystem::is_directory(status)) throw Error(path + ": is a directory, not a plug-in");

#if defined(_WIN32)
    // No message boxes for a missing dependency or an unreadable medium: report and go on.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    const std::string absolute = length > 0 && length < sizeof full ? std::string(full) : path;
    // The plug-in's own folder is searched for the libraries it depends on, as hosts do.
    HMODULE module = LoadLibraryExA(absolute.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) throw Error(path + ": not a loadable plug-in library (" + lastErrorText() + ")");
    return std::unique_ptr<PluginModule>(new PluginModule(reinterpret_cast<void*>(module), path));
#else
    // A bare file name would be looked up on the library search path; we mean this file.
    const std::string local = path.find('/') == std::string::npos ? "./" + path : path;
    dlerror();
    void* handle = dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        throw Error(path + ": not a loadable plug-in library (" +
                    std::string(reason ? reason : "unknown reason") + ")");
    }
    return std::unique_ptr<PluginModule>(new PluginModule(handle, path));
#endif
}

PluginModule::PluginModule(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}

PluginModule::~PluginModule() {
#if defined(_WIN32)
    FreeLibrary(reinterpret_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
}

void* PluginModule::findSymbol(const char* name) const {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name));
#else
    return dlsym(handle_, name);
#endif
}

std::string PluginModule::entryPointName() const {
    if (findSymbol("VSTPluginMain")) return "VSTPluginMain";
    if (findSymbol("main")) return "main";
    return {};
}

VstPluginMainProc PluginModule::entryPoint() const {
    void* symbol = findSymbol("VSTPluginMain");
    if (!symbol) symbol = findSymbol("main");
    if (!symbol)
        throw Error(path_ + ": no VST entry point (exports neither VSTPluginMain nor main)");
    return reinterpret_cast<VstPluginMainProc>(symbol);
}

} // namespace vuhost
