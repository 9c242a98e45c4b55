// Releasing a model's arrays back to the tracked allocator.
#include "polvex/polvex.h"

extern "C" POLVEX_API void FreeObjectData(ObjectData *object) {
    if (object == nullptr) return;
    PvFree(object->pnt);
    if (object->pln != nullptr) {
        for (int32_t j = 0; j < object->plnNum; ++j) PvFree(object->pln[j].corner);
    }
    PvFree(object->pln);
    PvFree(object->material);
    PvFree(object->shadingVector);
    // The record is left as an empty model, so a second call (or a late SetObjectDataColor)
    // never walks the polygon array that was just released.
    object->pntNum = 0;
    object->pnt = nullptr;
    object->plnNum = 0;
    object->pln = nullptr;
    object->materialNum = 0;
    object->material = nullptr;
    object->shadingVector = nullptr;
}
