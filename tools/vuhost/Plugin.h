// One plug-in instance driven by vuhost: the library, the effect record its entry point returned,
// and typed wrappers around the dispatcher. Destruction ends processing and closes the instance
// through effClose before the library is unloaded.
#pragma once

#include "PluginModule.h"
#include "VstHost.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vuhost {

class Plugin {
public:
    // Loads the library, calls its entry point with the host's callback and checks the record it
    // returns. Throws Error for every way this can fail.
    static std::unique_ptr<Plugin> load(const std::string& path);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    const AEffect& record() const { return *effect_; }
    AEffect* effect() const { return effect_; }
    const std::string& entryPointName() const { return entryName_; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) const;
    // A text answer, read from a generous zero-filled buffer and cut at its first zero byte.
    std::string text(VstInt32 opcode, VstInt32 index = 0) const;

    void open();
    void setSampleRate(float rate);
    void setBlockSize(VstInt32 size);
    // Tells the plug-in which of its replacing entries will be called (while it is switched off).
    void setProcessPrecision(bool doublePrecision);
    // effMainsChanged, with effStartProcess after switching on and effStopProcess before
    // switching off.
    void setMains(bool on);
    // Tells the plug-in the channel layout of the audio it will get (1 or 2 channels on both
    // sides); answers whether the plug-in accepted it.
    bool setSpeakerArrangement(int channels);

    int parameterCount() const { return effect_->numParams; }
    std::string parameterName(int index) const { return text(effGetParamName, index); }
    std::string parameterLabel(int index) const { return text(effGetParamLabel, index); }
    std::string parameterDisplay(int index) const { return text(effGetParamDisplay, index); }
    float getParameter(int index) const;
    void setParameter(int index, float value);
    // The index of the parameter with this name, or -1.
    int findParameter(const std::string& name) const;

    bool usesChunks() const { return (effect_->flags & effFlagsProgramChunks) != 0; }
    bool canReplacing() const;
    bool canDoubleReplacing() const;
    std::vector<std::uint8_t> getChunk() const;
    void setChunk(const std::vector<std::uint8_t>& bytes);

    void processReplacing(float** inputs, float** outputs, VstInt32 frames);
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames);

private:
    Plugin(std::unique_ptr<PluginModule> module, AEffect* effect, std::string path);
    void checkRecord() const;

    std::unique_ptr<PluginModule> module_; // unloaded last
    AEffect* effect_;
    std::string path_;
    std::string entryName_;
    bool mainsOn_ = false;
};

// Printable form of a text from a plug-in: control and non-ASCII bytes as \xNN.
std::string printable(const std::string& text);
// A four-character code as 'ABCD' (escaped where not printable).
std::string fourCC(VstInt32 code);

} // namespace vuhost
