// Draws the demo's synthetic raw image: a lateral thorax of a dog as a camera behind a
// phosphor screen records it, bright where the beam passed freely and dark behind bone.
// The picture is built as a map of attenuation (thickness times density), then exposed.
//   imagej -b make_sample.ijm "<out.tif>"
out = getArgument();
w = 480; h = 360;
newImage("attenuation", "32-bit black", w, h, 1);

function add(value) { run("Add...", "value=" + value); run("Select None"); }
function oval(x, y, ww, hh, value) { makeOval(x, y, ww, hh); add(value); }
function stroke(xs, ys, width, value) {
  makeSelection("polyline", xs, ys);
  run("Fit Spline");
  run("Line Width...", "line=" + width);
  run("Line to Area");
  add(value);
}

oval(-70, 58, 620, 282, 1.0);            // trunk
oval(80, 100, 250, 150, -0.5);           // lung field
oval(150, 155, 115, 120, 0.45);          // heart
oval(320, 112, 190, 190, 0.3);           // liver behind the diaphragm
for (x = 0; x < w; x += 27) {            // vertebrae with disc spaces, spinous processes
  makeRectangle(x, 84 + x / 40, 22, 24); add(0.9);
  makeRectangle(x + 5, 66 + x / 40, 11, 18); add(0.45);
}
for (i = 0; i < 11; i++) {               // ribs from the spine down to the sternum
  x0 = 100 + i * 24;
  stroke(newArray(x0, x0 + 20, x0 + 26, x0 + 12), newArray(112, 170, 235, 292), 6, 0.32);
}
for (x = 112; x < 340; x += 29) { makeRectangle(x, 296, 23, 11); add(0.5); }   // sternum
stroke(newArray(40, 62, 78, 70), newArray(110, 170, 240, 320), 15, 0.8);      // humerus
setColor(4); setFont("SansSerif", 28, "bold"); drawString("L", 440, 40);        // lead marker
run("Select None");
run("Gaussian Blur...", "sigma=2");
run("Macro...", "code=v=52000*exp(-1.25*v)");
run("Add Specified Noise...", "standard=150");
setMinAndMax(0, 65535);
run("16-bit");
saveAs("Tiff", out);
