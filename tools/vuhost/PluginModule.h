// A plug-in library loaded into the process, and its VST 2.4 entry point. This is the only part of
// vuhost that talks to the operating system's loader (dlopen natively, LoadLibrary on Windows).
#pragma once

#include "host/VstAbi.h"

#include <memory>
#include <string>

namespace vuhost {

class PluginModule {
public:
    // Loads the library at path; throws Error with a one-line reason when it cannot be loaded.
    static std::unique_ptr<PluginModule> load(const std::string& path);
    ~PluginModule();

    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // The entry point as a host looks it up: "VSTPluginMain" first, then "main". Throws Error
    // when the library exports neither.
    VstPluginMainProc entryPoint() const;
    // The name under which entryPoint() was found ("VSTPluginMain" or "main").
    std::string entryPointName() const;

private:
    explicit PluginModule(void* handle, std::string path);
    void* findSymbol(const char* name) const;

    void* handle_;
    std::string path_;
};

} // namespace vuhost
