#include "foundation/out_of_memory.h"

#include <new>

bool IsOutOfMemory()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return true;
    } catch (const char*) {
        return false; // a key text, which a null element pointer would also match
    } catch (const void* element) {
        return element == nullptr;
    } catch (...) {
        return false;
    }
}
