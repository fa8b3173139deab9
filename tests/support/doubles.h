// The platform doubles of the tests in one include.
#pragma once

#include "support/fakes.h"
#include "support/faulty_files.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"
