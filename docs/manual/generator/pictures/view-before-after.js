// The sample scene in the 3D view before and after a conversion, both figures side by side:
// App.scriptArgs[0] is the folder that receives view-before.png and view-after.png.
var folder = App.scriptArgs[0];
var source = Scene.findNodeByLabel("Genesis 8.1 Female");
var target = Scene.findNodeByLabel("Genesis 9");
var view = MainWindow.getViewportMgr().getActiveViewport().get3DViewport();

function shoot(file) {
    Scene.selectAllNodes(false);  // no selection highlight
    view.setCameraAngles(0, 5);
    view.frameScene();
    if (!view.renderToFile(folder + "/" + file, 1200, 900))
        throw "cannot write " + file;
}

shoot("view-before.png");
Scene.selectAllNodes(false);
source.select(true);
target.select(true);
MainWindow.getActionMgr().findAction("KvrConvertFigureAction").trigger();
processEvents();
var object = target.getObject();
for (var i = 0; i < object.getNumModifiers(); ++i) {
    var morph = object.getModifier(i);
    if (morph.getName().indexOf("converted to G9") >= 0)
        morph.getValueControl().setValue(1);
}
shoot("view-after.png");
