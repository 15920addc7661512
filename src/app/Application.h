#pragma once

class QApplication;

namespace tevrane {

// Creates the model and every window once, in the program's start order,
// then runs the message loop until the main window closes.
int runApplication(QApplication& app);

}  // namespace tevrane
