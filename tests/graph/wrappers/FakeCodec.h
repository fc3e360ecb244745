// Fakes of the outside codec filters for the wrapper tests. FakeCodecFilter
// is a filter without pins that exposes fake private interfaces built from
// the same slot tables as the program's declarations; every call is logged
// as (interface, slot, arguments) and answered S_OK unless the test says
// otherwise. FakeCodecServer registers a filter in-process under a class id
// (CoRegisterClassObject), so the wrappers reach it through CoCreateInstance
// as they would the real codec. Test thread only.
#pragma once
#include <windows.h>
#include <strmif.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/dshow/BaseFilter.h"
#include "tests/support/TestClassObject.h"

// One call that reached a fake slot. Pointers are kept as addresses, so a
// handler can read or fill the caller's memory while the call lasts; a
// record passed by value is kept as the address of its copy.
struct SlotCall
{
    std::string itf;   // the label the interface was added under
    int slot;
    std::vector<LONG_PTR> args;
    std::vector<bool> isPointer;

    bool Is(const char* label, int number) const { return itf == label && slot == number; }
    template <class T>
    T* Arg(size_t i) const
    {
        return reinterpret_cast<T*>(args.at(i));
    }
    // "label.slot(a,b,p)", p standing for a non-NULL pointer.
    std::string Text() const;
};

class FakeCodecFilter;

class FakeInterface
{
public:
    FakeInterface(FakeCodecFilter* owner, const IID& iid, const char* label)
        : m_owner(owner), m_iid(iid), m_label(label) {}
    virtual ~FakeInterface() {}
    virtual IUnknown* Unknown() = 0;
    const IID& Iid() const { return m_iid; }

protected:
    template <class T>
    static std::pair<LONG_PTR, bool> Word(const T& value)
    {
        if constexpr (std::is_pointer<T>::value)
            return {reinterpret_cast<LONG_PTR>(value), true};
        else if constexpr (std::is_class<T>::value)
            return {reinterpret_cast<LONG_PTR>(&value), true};
        else
            return {static_cast<LONG_PTR>(value), false};
    }
    struct Recorder
    {
        FakeInterface* itf;
        int slot;
        template <class... A>
        HRESULT operator()(A... a)
        {
            return itf->Log(slot, {Word(a)...});
        }
    };
    Recorder Record(int slot) { return {this, slot}; }
    IUnknown* OwnerUnknown() const;

private:
    HRESULT Log(int slot, std::vector<std::pair<LONG_PTR, bool>> args);

    FakeCodecFilter* m_owner;  // owns us
    IID m_iid;
    std::string m_label;
};

#define FAKE_SLOT(number, name, params, args) \
    STDMETHODIMP name params override { return Record(number) args; }

// Fake<Name>: a fake of the interface made from its slot table.
#define FAKE_CODEC_INTERFACE(Name, SLOTS)                                                    \
    class Fake##Name : public Name, public FakeInterface                                     \
    {                                                                                        \
    public:                                                                                  \
        using FakeInterface::FakeInterface;                                                  \
        IUnknown* Unknown() override { return static_cast<Name*>(this); }                    \
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override                         \
        {                                                                                    \
            return OwnerUnknown()->QueryInterface(iid, out);                                 \
        }                                                                                    \
        STDMETHODIMP_(ULONG) AddRef() override { return OwnerUnknown()->AddRef(); }          \
        STDMETHODIMP_(ULONG) Release() override { return OwnerUnknown()->Release(); }        \
        SLOTS(FAKE_SLOT)                                                                     \
    };

// The file sink of a filter that writes its own file.
class FakeFileSink : public IFileSinkFilter
{
public:
    explicit FakeFileSink(FakeCodecFilter* owner) : m_owner(owner) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* mt) override;

    std::wstring name;
    bool mediaTypeGiven = false;

private:
    FakeCodecFilter* m_owner;  // owns us
};

class FakeCodecFilter : public dshow::CBaseFilter
{
public:
    explicit FakeCodecFilter(const CLSID& clsid);

    // Exposes a fake interface of type F under iid; calls are logged under label.
    template <class F>
    F* Add(const IID& iid, const char* label)
    {
        F* fake = new F(this, iid, label);
        m_interfaces.emplace_back(fake);
        return fake;
    }
    FakeFileSink* AddFileSink();
    // Refuses the interface from now on (as a filter that lacks it).
    void Hide(const IID& iid);

    // Every slot call answers this result (after onCall, if any, ran).
    void Fail(const char* label, int slot, HRESULT hr = E_FAIL);
    // Lines of Text() for every call so far.
    std::vector<std::string> CallTexts() const;
    // The current reference count.
    ULONG Refs();

    std::vector<SlotCall> calls;
    // Runs for every call before the answer is chosen; its result is the
    // answer unless Fail named the slot.
    std::function<HRESULT(const SlotCall&)> onCall;

    int GetPinCount() override { return 0; }
    dshow::CBasePin* GetPin(int) override { return NULL; }

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;

private:
    friend class FakeInterface;
    HRESULT Answer(SlotCall call);

    std::vector<std::unique_ptr<FakeInterface>> m_interfaces;
    std::unique_ptr<FakeFileSink> m_sink;
    std::vector<IID> m_hidden;
    std::map<std::pair<std::string, int>, HRESULT> m_failures;
};

// Registers a filter as the in-process server of a class id for the
// object's lifetime: CoCreateInstance of that class id then hands out the
// filter.
typedef TestClassObject FakeCodecServer;

#include "graph/wrappers/IVITimeShilftFilter.h"
#include "graph/wrappers/LigosInterfaces.h"
#include "graph/wrappers/MCInterfaces.h"

FAKE_CODEC_INTERFACE(ICodecParams, CODEC_PARAMS_SLOTS)
FAKE_CODEC_INTERFACE(IMCVideoSettings, MC_VIDEO_SETTINGS_SLOTS)
FAKE_CODEC_INTERFACE(IMCAudioSettings, MC_AUDIO_SETTINGS_SLOTS)
FAKE_CODEC_INTERFACE(IMCMuxSettings, MC_MUX_SETTINGS_SLOTS)
FAKE_CODEC_INTERFACE(IMCDecoderOutput, MC_DECODER_OUTPUT_SLOTS)
FAKE_CODEC_INTERFACE(IMCH264DecoderControl, MC_H264_DECODER_CONTROL_SLOTS)
FAKE_CODEC_INTERFACE(IMCH264Settings, MC_H264_SETTINGS_SLOTS)
FAKE_CODEC_INTERFACE(IIVITimeShiftControl, IVI_TIME_SHIFT_SLOTS)
FAKE_CODEC_INTERFACE(ILigosEncControl, LIGOS_ENC_CONTROL_SLOTS)
FAKE_CODEC_INTERFACE(ILigosTransControl, LIGOS_TRANS_CONTROL_SLOTS)
FAKE_CODEC_INTERFACE(ILigosTransPosition, LIGOS_TRANS_POSITION_SLOTS)
