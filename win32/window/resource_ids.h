#pragma once

// The program's resources, shared by zorvanti-cribaxon.rc and the code.
#define CRIBAXON_ICON 1
#define CRIBAXON_PICTURE1 101
#define CRIBAXON_PICTURE1_LARGE 102
#define CRIBAXON_PICTURE2 103
#define CRIBAXON_PICTURE2_LARGE 104
