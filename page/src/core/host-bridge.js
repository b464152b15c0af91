// The program's article bridge (the object "corvelHost" on the page's web channel) as
// window.CorvelHost, each method returning a Promise of its result. A call that cannot be
// made resolves to {ok: false, error} like any refusal, so callers have one failure path.
// Without the program (a plain browser) CorvelHost stays absent; tests inject their own.
const METHODS = [
  'state', 'openCurrent', 'markMigrated', 'listArticles', 'searchArticles', 'createArticle', 'openArticle', 'saveArticle',
  'saveArticleChange', 'renameArticle', 'deleteArticle', 'listDeleted', 'restoreArticle', 'emptyRecycle',
  'addSnapshot', 'listSnapshots', 'readSnapshot', 'storeImage', 'importLocalImage', 'readImage',
  'chooseOpenFile', 'chooseSaveFile', 'takeOpenedFile', 'fitPicture', 'inspectPicture', 'printPage', 'exportPdf',
];

// What went wrong, from an Error or anything else thrown.
const errorText = (error) => String(error && error.message ? error.message : error);

function failure(error) {
  return { ok: false, error: '与程序的连接出错：' + errorText(error) };
}

// object: the channel's proxy, whose methods take their arguments and then a callback.
function wrap(object) {
  const host = {};
  for (const name of METHODS) {
    host[name] = function () {
      const args = Array.prototype.slice.call(arguments);
      return new Promise(function (resolve) {
        try {
          object[name].apply(object, args.concat(function (result) {
            resolve(result && typeof result === 'object' ? result : failure('没有回应'));
          }));
        } catch (e) {
          resolve(failure(e));
        }
      });
    };
  }
  // The program has files for takeOpenedFile (from its command line or a second start).
  host.onOpenedFiles = function (listener) {
    if (object.openedFiles && object.openedFiles.connect) object.openedFiles.connect(listener);
  };
  return host;
}

// Resolves to the wrapped bridge (also set as win.CorvelHost), or null without one.
function connect(win, timeoutMs) {
  return new Promise(function (resolve) {
    if (!win.qt || !win.qt.webChannelTransport || typeof win.QWebChannel !== 'function') {
      resolve(null);
      return;
    }
    const timer = setTimeout(() => resolve(null), timeoutMs || 5000);
    try {
      new win.QWebChannel(win.qt.webChannelTransport, function (channel) {
        clearTimeout(timer);
        const object = channel.objects.corvelHost;
        win.CorvelHost = object ? wrap(object) : undefined;
        resolve(win.CorvelHost || null);
      });
    } catch (e) {
      clearTimeout(timer);
      resolve(null);
    }
  });
}

// A refusal's reason without its closing stop, and as the end of a sentence.
function withoutStop(text) {
  return String(text || '未知原因').replace(/[。.\s]+$/, '');
}

const reason = (result) => withoutStop(result.error) + '。';

export { wrap, connect, METHODS, withoutStop, reason, errorText };
