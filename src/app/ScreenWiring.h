#pragma once

class ViewController;

// Makes the main screen with the screens it opens wired in, each of them wired
// in turn to the screens it opens. The one place that knows which screen
// leads to which; tests wire their own.
ViewController* makeMainScreen();
