// Sounds: a tone, the system's message sounds, and sounds played by name
// from a file, a module's resources or the system's sound events. No state,
// no errors: what the platform cannot play is simply not heard.
#pragma once

#include <windows.h>
#include <string>

namespace kelpa {

// The platform's sound calls, behind an interface so that the rules applied
// before them (clamping, the accepted message types, the flags added) can be
// checked without a sound device.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void Tone(DWORD frequency, DWORD milliseconds) = 0;
    virtual void MessageSound(UINT type) = 0;
    // sound null: stop what is playing.
    virtual void PlayNamed(const wchar_t* sound, HMODULE module, DWORD flags) = 0;
};

// Beep, MessageBeep and PlaySoundW.
SoundDevice& PlatformSoundDevice() noexcept;

class Noise {
public:
    static constexpr size_t kLongestSound = 260;
    // SND_MEMORY: the "name" would be read as a wave image of unknown size,
    // and with SND_ASYNC after the script's string is gone. Never passed on.
    static constexpr DWORD kMemoryFlag = 0x0004;
    static constexpr DWORD kResourceFlag = 0x00040004;  // SND_RESOURCE

    explicit Noise(SoundDevice& device = PlatformSoundDevice()) noexcept : m_device(device) {}

    void Ring(long frequency, long milliseconds);
    void MsgBeep(long type);
    void Play(const std::wstring& sound, long module, long flags);
    void PlayFile(const std::wstring& sound, long flags);
    void PlayEvent(const std::wstring& sound, long flags);

private:
    void PlayStep(const std::wstring& sound, HMODULE module, DWORD flags);

    SoundDevice& m_device;
};

}  // namespace kelpa
