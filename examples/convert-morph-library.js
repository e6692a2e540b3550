// Converts every morph of a source figure kind (or those of one property group) onto a fresh
// Genesis 9, each into a morph of its own, and saves the new morphs as support assets of
// Genesis 9 into a content library. Several studios can share one library's work: each takes
// a part of the morphs ("part=K/N"), and the N parts together convert every morph once.
//
//   build/bin/studio --headless --script examples/convert-morph-library.js \
//       --script-arg "/path/to/My Library" --script-arg G8.1F --script-arg part=1/2
//
// Arguments (App.scriptArgs): the content library to save into and the source kind (G3F, G3M,
// G8F, G8M, G8.1F or G8.1M), both required; then, as NAME=VALUE, any of part=K/N (default 1/1),
// group=PATH (only the morphs of that property group and the groups below it), vendor=NAME
// (default "Kelvaro") and product=NAME (default "Converted"). The new morphs are named
// "<label> (<kind>)" under "/Kelvaro/Converted/<kind>", as the Convert morphs dialog names them
// at first.

var SOURCES = {
    "G3F": "People/Genesis 3 Female/Genesis 3 Female.duf",
    "G3M": "People/Genesis 3 Male/Genesis 3 Male.duf",
    "G8F": "People/Genesis 8 Female/Genesis 8 Basic Female.duf",
    "G8M": "People/Genesis 8 Male/Genesis 8 Basic Male.duf",
    "G8.1F": "People/Genesis 8 Female/Genesis 8.1 Basic Female.duf",
    "G8.1M": "People/Genesis 8 Male/Genesis 8.1 Basic Male.duf"
};
var GENESIS_9 = "People/Genesis 9/Genesis 9.duf";

var USAGE = "usage: studio --headless --script convert-morph-library.js --script-arg LIBRARY" +
    " --script-arg KIND [--script-arg part=K/N] [--script-arg group=PATH]" +
    " [--script-arg vendor=NAME] [--script-arg product=NAME]" +
    "; LIBRARY is the content library the new morphs are saved into, KIND one of " +
    Object.keys(SOURCES).join(", ");

function refuse(why) {
    throw new Error(why + "; " + USAGE);
}

function readArguments(args) {
    if (args.length < 1 || args[0] == "")
        refuse("no library to save into given");
    if (args.length < 2 || !SOURCES.hasOwnProperty(args[1]))
        refuse(args.length < 2 ? "no source kind given" : "unknown source kind \"" + args[1] + "\"");
    var settings = {library: args[0], kind: args[1], part: 1, parts: 1, group: "",
                    vendor: "Kelvaro", product: "Converted"};
    for (var i = 2; i < args.length; ++i) {
        var eq = args[i].indexOf("=");
        var name = eq > 0 ? args[i].substring(0, eq) : args[i];
        var value = eq > 0 ? args[i].substring(eq + 1) : "";
        if (name == "part") {
            var share = /^(\d+)\/(\d+)$/.exec(value);
            if (!share || Number(share[1]) < 1 || Number(share[1]) > Number(share[2]))
                refuse("the part \"" + value + "\" is not K/N with 1 <= K <= N");
            settings.part = Number(share[1]);
            settings.parts = Number(share[2]);
        } else if (name == "group" || name == "vendor" || name == "product") {
            settings[name] = value;
        } else {
            refuse("unknown argument \"" + args[i] + "\"");
        }
    }
    return settings;
}

function load(path) {
    var content = App.getContentMgr();
    if (!content.openFile(content.getAbsolutePath(path), true))
        throw new Error("cannot load " + path);
    return Scene.getPrimarySelection();
}

// The group itself and every group below it.
function inGroup(morph, group) {
    return group == "" || morph.group == group || morph.group.indexOf(group + "/") == 0;
}

// Every N-th morph of the kind's catalogue, starting at the K-th: the parts are disjoint and
// together hold every morph, whatever the group sizes.
function share(morphs, settings) {
    var mine = [];
    var wanted = morphs.filter(function (m) { return inGroup(m, settings.group); });
    for (var i = settings.part - 1; i < wanted.length; i += settings.parts)
        mine.push(wanted[i]);
    return {mine: mine, of: wanted.length};
}

var settings = readArguments(App.scriptArgs);
var action = MainWindow.getActionMgr().findAction("KvrConvertMorphsAction");
var source = load(SOURCES[settings.kind]);
var target = load(GENESIS_9);
var chosen = share(action.getSourceMorphs(source), settings);
print("Part " + settings.part + " of " + settings.parts + ": " + chosen.mine.length + " of " + chosen.of +
      " morphs of " + source.getLabel() + (settings.group ? " in " + settings.group : "") +
      "; saving to " + settings.library);
if (chosen.mine.length == 0) {
    print("Nothing to convert.");
} else {
    var converted = action.convertMorphs(source, target, chosen.mine.map(function (m) { return m.name; }));
    if (converted.error)
        throw new Error(converted.error);
    for (var i = 0; i < converted.skipped.length; ++i)
        print("  skipped, changes nothing: " + converted.skipped[i]);
    var saved = {assets: []};
    if (converted.morphs.length > 0) {
        saved = action.saveMorphAssets(target, converted.morphs, {library: settings.library,
                                       vendor: settings.vendor, product: settings.product});
        if (saved.error)
            throw new Error(saved.error);
    }
    for (var i = 0; i < saved.assets.length; ++i)
        print("  " + converted.morphs[i] + " -> " + saved.assets[i]);
    print("Saved " + saved.assets.length + " morphs" + (converted.cancelled ? " (cancelled before the end)" : "") +
          " in " + converted.timeMs + " ms.");
}
