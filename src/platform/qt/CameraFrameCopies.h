#pragma once

// PipeWire's GStreamer source (pipewiresrc, PipeWire 0.3.65) unmaps the memory
// of its frames whenever it renegotiates, which QtMultimedia 6.4 makes it do
// right after each camera start, while frames of the old stream may still be
// on their way to the main thread: reading such a frame crashes. After this
// call every PipeWire source that QtMultimedia creates in this process copies
// each frame into memory of its own, which lives as long as the frame.
// Call it before a camera opens; later calls do nothing.
void copyCameraFramesOutOfPipeWire();
