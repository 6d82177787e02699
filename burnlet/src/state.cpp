#include "state.h"

namespace burnlet {

LibraryState &state()
{
    static LibraryState instance;
    return instance;
}

}  // namespace burnlet
