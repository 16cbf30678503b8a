#include "MediaInfoLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace mediainfo {
namespace {

template <typename F>
bool bind(void* lib, const char* name, F& slot)
{
    slot = reinterpret_cast<F>(dlsym(lib, name));
    return slot != nullptr;
}

bool bindAll(void* lib, Api& a)
{
    bool ok = true;
    ok &= bind(lib, "MediaInfoA_New", a.New);
    ok &= bind(lib, "MediaInfoListA_New", a.ListNew);
    ok &= bind(lib, "MediaInfoA_Delete", a.Delete);
    ok &= bind(lib, "MediaInfoListA_Delete", a.ListDelete);
    ok &= bind(lib, "MediaInfoA_Open", a.Open);
    ok &= bind(lib, "MediaInfoListA_Open", a.ListOpen);
    ok &= bind(lib, "MediaInfoA_Open_Buffer_Init", a.OpenBufferInit);
    ok &= bind(lib, "MediaInfoA_Open_Buffer_Continue", a.OpenBufferContinue);
    ok &= bind(lib, "MediaInfoA_Open_Buffer_Continue_GoTo_Get", a.OpenBufferContinueGoToGet);
    ok &= bind(lib, "MediaInfoA_Open_Buffer_Finalize", a.OpenBufferFinalize);
    ok &= bind(lib, "MediaInfoA_Close", a.Close);
    ok &= bind(lib, "MediaInfoListA_Close", a.ListClose);
    ok &= bind(lib, "MediaInfoA_Inform", a.Inform);
    ok &= bind(lib, "MediaInfoListA_Inform", a.ListInform);
    ok &= bind(lib, "MediaInfoA_GetI", a.GetI);
    ok &= bind(lib, "MediaInfoListA_GetI", a.ListGetI);
    ok &= bind(lib, "MediaInfoA_Get", a.Get);
    ok &= bind(lib, "MediaInfoListA_Get", a.ListGet);
    ok &= bind(lib, "MediaInfoA_Output_Buffer_Get", a.OutputBufferGet);
    ok &= bind(lib, "MediaInfoA_Output_Buffer_GetI", a.OutputBufferGetI);
    ok &= bind(lib, "MediaInfoA_Option", a.Option);
    ok &= bind(lib, "MediaInfoListA_Option", a.ListOption);
    ok &= bind(lib, "MediaInfoA_State_Get", a.StateGet);
    ok &= bind(lib, "MediaInfoListA_State_Get", a.ListStateGet);
    ok &= bind(lib, "MediaInfoA_Count_Get", a.CountGet);
    ok &= bind(lib, "MediaInfoListA_Count_Get", a.ListCountGet);
    ok &= bind(lib, "MediaInfoListA_Count_Get_Files", a.ListCountGetFiles);
    return ok;
}

}  // namespace

const Api* bindFrom(const char* fileName, Api& out)
{
    void* lib = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!lib)
        return nullptr;
    if (!bindAll(lib, out)) {
        dlclose(lib);
        return nullptr;
    }
    return &out;
}

const Api* api()
{
    static std::mutex mutex;
    static Api bound;
    static bool loaded = false;
    std::lock_guard<std::mutex> lock(mutex);
    if (!loaded)
        loaded = bindFrom(kLibraryName, bound) != nullptr;
    return loaded ? &bound : nullptr;
}

}  // namespace mediainfo
