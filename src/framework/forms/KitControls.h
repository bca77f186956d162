#pragma once
// The controls every data form is made of: the base form, the data grid,
// the bound controls with their caption expansion and refusal hint, tab and
// page controls, and the accelerators they share.

#include "framework/forms/Accelerators.h"
#include "framework/forms/BoundControls.h"
#include "framework/forms/Captions.h"
#include "framework/forms/KitForm.h"
#include "framework/forms/KitGrid.h"
#include "framework/forms/KitHint.h"
#include "framework/forms/PageControls.h"
#include "framework/grid/DataTextPort.h"
