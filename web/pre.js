// Runs inside the game's module before main: the player's data folder is kept in the browser's
// IndexedDB. It is read in before the game starts, and written back whenever a file there is
// put in place: the records file is replaced by a rename once per game (platform/Posix.cpp).
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
    var folder = '/home/web_user/.local/share';
    FS.mkdirTree(folder);
    FS.mount(IDBFS, {}, folder);
    addRunDependency('player data');
    FS.syncfs(true, function (error) {
        if (error) console.warn('gridlume: saved records not read: ' + error);
        removeRunDependency('player data');
    });
    var rename = FS.rename;
    FS.rename = function (from, to) {
        rename(from, to);
        if (to.indexOf(folder + '/') === 0) {
            FS.syncfs(false, function (error) {
                if (error) console.warn('gridlume: records not kept: ' + error);
            });
        }
    };
});
// For the page's tests: a file the game wrote, or null.
Module.gridlumeReadFile = function (path) {
    try {
        return FS.readFile(path, { encoding: 'utf8' });
    } catch (e) {
        return null;
    }
};
