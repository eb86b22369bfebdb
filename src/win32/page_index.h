#pragma once
// The pages in the order of their tabs (see core/page_model.h).
#include "core/page_model.h"
