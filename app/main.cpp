// SPDX-License-Identifier: MIT
#include "platform/form.h"
#include "window/binding.h"
#include "window/description.h"

int main(int argc, char** argv) {
    vrenkodal::WindowBinding binding;
    return platform::Start(argc, argv, vrenkodal::MainWindow(), binding.OnPress());
}
